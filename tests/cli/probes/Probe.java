// Prints what the charset NAME makes of every host byte and every character,
// as probe.py does.
import java.nio.ByteBuffer;
import java.nio.CharBuffer;
import java.nio.charset.CharacterCodingException;
import java.nio.charset.Charset;
import java.nio.charset.CharsetEncoder;

public class Probe {
  public static void main(String[] args) throws Exception {
    Charset charset = Charset.forName(args[0]);
    StringBuilder decoded = new StringBuilder();
    for (int b = 0; b < 256; ++b) {
      try {
        char c = charset.newDecoder().decode(ByteBuffer.wrap(new byte[] {(byte) b})).get();
        decoded.append(String.format(" %04X", (int) c));
      } catch (CharacterCodingException e) {
        decoded.append(" ----");
      }
    }
    StringBuilder encoded = new StringBuilder();
    CharsetEncoder encoder = charset.newEncoder();
    for (char c = 0; c < 0xFFFF; ++c) {
      if (Character.isSurrogate(c)) continue;
      try {
        int b = encoder.encode(CharBuffer.wrap(new char[] {c})).get() & 0xFF;
        encoded.append(String.format(" %04X:%02X", (int) c, b));
      } catch (CharacterCodingException e) {
        // unmappable: reported
      }
    }
    System.out.println(decoded.substring(1));
    System.out.println(encoded.substring(1));
    char replaced = new String(new byte[] {(byte) 0x9F}, charset).charAt(0);
    System.out.printf("%04X %02X%n", (int) replaced, "\u20ac".getBytes(charset)[0]);
  }
}
