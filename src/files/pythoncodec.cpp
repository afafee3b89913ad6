#include "files/pythoncodec.h"

#include <cstdio>

namespace {

// The code around the tables. Encoding tries the fast built-in first; only
// a text with an unmappable character goes through the loop, which gives
// the host's substitution byte 0x3F for "replace".
const char kModuleCode[] = R"PY(

def _unmappable(text, at):
    return UnicodeEncodeError(NAME, text, at, at + 1, 'character maps to <undefined>')


def encode(text, errors='strict'):
    try:
        return codecs.charmap_encode(text, 'strict', ENCODING_MAP)
    except UnicodeEncodeError:
        pass
    out = bytearray()
    at = 0
    while at < len(text):
        byte = ENCODING_MAP.get(ord(text[at]))
        if byte is not None:
            out.append(byte)
            at += 1
        elif errors == 'replace':
            out.append(0x3F)
            at += 1
        else:
            replacement, at = codecs.lookup_error(errors)(_unmappable(text, at))
            if at < 0:
                at += len(text)
            if isinstance(replacement, str):
                replacement = codecs.charmap_encode(replacement, 'strict', ENCODING_MAP)[0]
            out += replacement
    return bytes(out), len(text)


def decode(data, errors='strict'):
    return codecs.charmap_decode(data, errors, DECODING_TABLE)


class Codec(codecs.Codec):
    def encode(self, text, errors='strict'):
        return encode(text, errors)

    def decode(self, data, errors='strict'):
        return decode(data, errors)


class IncrementalEncoder(codecs.IncrementalEncoder):
    def encode(self, text, final=False):
        return encode(text, self.errors)[0]


class IncrementalDecoder(codecs.IncrementalDecoder):
    def decode(self, data, final=False):
        return decode(data, self.errors)[0]


class StreamWriter(Codec, codecs.StreamWriter):
    pass


class StreamReader(Codec, codecs.StreamReader):
    pass


def getregentry():
    return codecs.CodecInfo(name=NAME, encode=encode, decode=decode,
                            incrementalencoder=IncrementalEncoder, incrementaldecoder=IncrementalDecoder,
                            streamwriter=StreamWriter, streamreader=StreamReader)


def _search(name):
    return getregentry() if encodings.normalize_encoding(name).lower() == NAME else None


codecs.register(_search)
)PY";

std::string Hex(unsigned value, int digits) {
  char text[12];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}

std::string BytesLiteral(const char* name, const uint8_t (&image)[256]) {
  std::string text = std::string(name) + " = (\n";
  for (int row = 0; row < 256; row += 16) {
    text += "    b'";
    for (int p = row; p < row + 16; ++p) text += "\\x" + Hex(image[p], 2);
    text += "'\n";
  }
  return text + ")\n";
}

std::string DecodingTable(const int32_t (&characters)[256]) {
  std::string text = "DECODING_TABLE = (\n";
  for (int row = 0; row < 256; row += 8) {
    text += "    '";
    for (int b = row; b < row + 8; ++b) {
      const uint32_t character = characters[b] == -1 ? 0xFFFE : static_cast<uint32_t>(characters[b]);
      text += "\\u" + Hex(character, 4);
    }
    text += "'\n";
  }
  return text + ")\n";
}

std::string EncodingMap(const std::vector<std::pair<uint32_t, uint8_t>>& pairs) {
  std::string text = "ENCODING_MAP = {\n";
  for (size_t i = 0; i < pairs.size(); ++i) {
    text += (i % 8 == 0 ? "    " : " ") + ("0x" + Hex(pairs[i].first, 4)) + ": 0x" + Hex(pairs[i].second, 2) + ",";
    if (i % 8 == 7 || i + 1 == pairs.size()) text += "\n";
  }
  return text + "}\n";
}

}  // namespace

std::string PythonCodecModule(const CharsetMapping& mapping, const char* label) {
  const std::string name = PythonCodecName(mapping.Name);
  std::string text = "# Python codec '" + name + "': the table pair " + mapping.Name + ", workstation side " + label +
                     ".\n# Written by the QAVO Code Table Editor. After 'import' of this module:\n#   text.encode('" +
                     name + "'), data.decode('" + name + "'), open(path, encoding='" + name +
                     "')\n# Unmappable: 'strict' raises, 'replace' gives U+FFFD or the host byte 0x3F.\n";
  text += "import codecs\nimport encodings\n\nNAME = '" + name + "'\n\n";
  text += "# The tables as the table files hold them, for bytes.translate: an unassigned\n";
  text += "# entry is its own byte. EXPORT: workstation to host, IMPORT: host to workstation.\n";
  text += BytesLiteral("EXPORT_TABLE", mapping.ExportImage) + BytesLiteral("IMPORT_TABLE", mapping.ImportImage);
  text += "\n# Host byte to character (IMPORT); U+FFFE: unmappable.\n" + DecodingTable(mapping.ToUnicode);
  text += "\n# Character to host byte (EXPORT).\n" + EncodingMap(mapping.FromUnicode);
  return text + kModuleCode;
}
