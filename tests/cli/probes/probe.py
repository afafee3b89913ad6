# Imports the codec module MODULE from FOLDER and prints what codec NAME
# makes of every host byte and every character, as Probe.java does.
import importlib
import sys

folder, module, name = sys.argv[1:4]
sys.path.insert(0, folder)
importlib.import_module(module)
decoded = []
for b in range(256):
    try:
        decoded.append('%04X' % ord(bytes([b]).decode(name)))
    except UnicodeDecodeError:
        decoded.append('----')
encoded = []
for c in list(range(0xD800)) + list(range(0xE000, 0xFFFF)):
    try:
        encoded.append('%04X:%02X' % (c, chr(c).encode(name)[0]))
    except UnicodeEncodeError:
        pass
print(' '.join(decoded))
print(' '.join(encoded))
# The substitutions of "replace", through open() as a program reads and writes.
path = folder + '/text'
with open(path, 'wb') as raw:
    raw.write(b'\x9f')
with open(path, encoding=name, errors='replace') as text:
    replaced = text.read()
with open(path, 'w', encoding=name, errors='replace') as text:
    text.write('\u20ac')
with open(path, 'rb') as raw:
    print('%04X %s' % (ord(replaced), raw.read().hex().upper()))
