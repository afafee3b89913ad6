// The character sets of the table pairs on the class path: every JAR that
// qavo-ct or the editor writes holds this class, its service entry and one
// table resource. Several such JARs on one class path offer all their tables.
package qavo.charset;

import java.io.DataInputStream;
import java.io.IOException;
import java.io.InputStream;
import java.net.URL;
import java.nio.ByteBuffer;
import java.nio.CharBuffer;
import java.nio.charset.Charset;
import java.nio.charset.CharsetDecoder;
import java.nio.charset.CharsetEncoder;
import java.nio.charset.CoderResult;
import java.nio.charset.spi.CharsetProvider;
import java.util.ArrayList;
import java.util.Enumeration;
import java.util.Iterator;
import java.util.List;

public final class TableCharsetProvider extends CharsetProvider {
  static final String RESOURCE = "qavo/charset/table.bin";

  private List<Charset> charsets;

  @Override
  public Iterator<Charset> charsets() {
    return all().iterator();
  }

  @Override
  public Charset charsetForName(String name) {
    for (Charset charset : all()) {
      if (charset.name().equalsIgnoreCase(name)) return charset;
    }
    return null;
  }

  // Read at the first question, not while the service loader builds the provider.
  private synchronized List<Charset> all() {
    if (charsets != null) return charsets;
    charsets = new ArrayList<>();
    try {
      Enumeration<URL> tables = TableCharsetProvider.class.getClassLoader().getResources(RESOURCE);
      while (tables.hasMoreElements()) {
        TableCharset charset = TableCharset.read(tables.nextElement());
        if (charset != null) charsets.add(charset);
      }
    } catch (IOException e) {
      // A class path that cannot be searched offers no tables.
    }
    return charsets;
  }
}

// Resource layout (big-endian): the name (writeUTF), the 256 characters of
// the host bytes (U+FFFE: unmappable), the number of encodable characters
// and each as a character and its host byte.
final class TableCharset extends Charset {
  static final char UNMAPPABLE = '\uFFFE';

  final char[] toUnicode = new char[256];
  final short[] fromUnicode = new short[65536];

  private TableCharset(String name) {
    super(name, null);
    java.util.Arrays.fill(fromUnicode, (short) -1);
  }

  static TableCharset read(URL resource) {
    try (InputStream stream = resource.openStream()) {
      DataInputStream in = new DataInputStream(stream);
      TableCharset charset = new TableCharset(in.readUTF());
      for (int b = 0; b < 256; ++b) charset.toUnicode[b] = in.readChar();
      for (int n = in.readUnsignedShort(); n > 0; --n) {
        char c = in.readChar();
        charset.fromUnicode[c] = (short) in.readUnsignedByte();
      }
      return charset;
    } catch (IOException | IllegalArgumentException e) {
      return null;
    }
  }

  @Override
  public boolean contains(Charset other) {
    return other == this;
  }

  @Override
  public CharsetDecoder newDecoder() {
    return new TableDecoder(this);
  }

  @Override
  public CharsetEncoder newEncoder() {
    return new TableEncoder(this);
  }
}

final class TableDecoder extends CharsetDecoder {
  private final char[] toUnicode;

  TableDecoder(TableCharset charset) {
    super(charset, 1f, 1f);
    toUnicode = charset.toUnicode;
  }

  @Override
  protected CoderResult decodeLoop(ByteBuffer in, CharBuffer out) {
    while (in.hasRemaining()) {
      if (!out.hasRemaining()) return CoderResult.OVERFLOW;
      int at = in.position();
      char c = toUnicode[in.get() & 0xFF];
      if (c == TableCharset.UNMAPPABLE) {
        in.position(at);
        return CoderResult.unmappableForLength(1);
      }
      out.put(c);
    }
    return CoderResult.UNDERFLOW;
  }
}

// Substitutes the host's SUB byte 0x3F, whatever the table makes of it.
final class TableEncoder extends CharsetEncoder {
  private final short[] fromUnicode;

  TableEncoder(TableCharset charset) {
    super(charset, 1f, 1f, new byte[] {0x3F});
    fromUnicode = charset.fromUnicode;
  }

  @Override
  public boolean isLegalReplacement(byte[] replacement) {
    return replacement.length == 1;
  }

  @Override
  public boolean canEncode(char c) {
    return fromUnicode[c] >= 0;
  }

  @Override
  protected CoderResult encodeLoop(CharBuffer in, ByteBuffer out) {
    while (in.hasRemaining()) {
      int at = in.position();
      char c = in.get();
      short b = fromUnicode[c];
      if (b < 0) {
        in.position(at);
        return unmapped(in, c);
      }
      if (!out.hasRemaining()) {
        in.position(at);
        return CoderResult.OVERFLOW;
      }
      out.put((byte) b);
    }
    return CoderResult.UNDERFLOW;
  }

  // A character outside the table, or a surrogate pair (never in a table).
  private static CoderResult unmapped(CharBuffer in, char c) {
    if (Character.isLowSurrogate(c)) return CoderResult.malformedForLength(1);
    if (!Character.isHighSurrogate(c)) return CoderResult.unmappableForLength(1);
    if (in.remaining() < 2) return CoderResult.UNDERFLOW;
    return Character.isLowSurrogate(in.get(in.position() + 1))
        ? CoderResult.unmappableForLength(2)
        : CoderResult.malformedForLength(1);
  }
}
