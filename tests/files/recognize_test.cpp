#include "files/recognize.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "files/formats.h"

namespace {

using Bytes = std::vector<uint8_t>;

const std::string kKindMessage = "IMPORT/EXPORT nicht erkannt\nEvtl. 256 Byte vorgeben";
const std::string kHeaderMessage = "Tabelle nicht erkannt!\nerwarte: QAVO CodeTab\nerhalte: ";

Bytes Identity() {
  Bytes image(256);
  for (int p = 0; p < 256; ++p) image[p] = static_cast<uint8_t>(p);
  return image;
}

LoadPlan Recognize(const Bytes& data, TableKind kind = TableKind::kUnknown, const std::string& name = "/tmp/t.tab") {
  return RecognizeTableImage(data.data(), data.size(), kind, name);
}

void ExpectMessageOnly(const LoadPlan& plan, const std::string& message) {
  ASSERT_EQ(plan.Steps.size(), 1u);
  EXPECT_FALSE(plan.Steps[0].Loads());
  EXPECT_EQ(plan.Steps[0].Message, message);
}

void ExpectLoadsBytes(const LoadStep& step, TableKind table, const uint8_t* bytes, const std::string& name) {
  EXPECT_TRUE(step.Loads());
  EXPECT_TRUE(step.Message.empty());
  EXPECT_EQ(step.Table, table);
  EXPECT_EQ(step.Name, name);
  for (int p = 0; p < 256; ++p) EXPECT_EQ(step.Entries[p].Target, bytes[p]) << p;
}

// A V5 image with letter, text from offset 21 and entry p holding target p.
Bytes V5File(char letter, const std::string& text) {
  Bytes image(1088, 0);
  std::memcpy(image.data(), "QAVO CodeTab ", 13);
  image[13] = static_cast<uint8_t>(letter);
  std::memcpy(image.data() + 21, text.data(), text.size());
  for (int p = 0; p < 256; ++p) image[64 + 4 * p] = static_cast<uint8_t>(p);
  return image;
}

TEST(RecognizeTableImage, ByteAt32MarksExport) {
  Bytes image = Identity();
  image[32] = 0x40;
  image[64] = 0x20;  // both marks: EXPORT wins
  const LoadPlan plan = Recognize(image);
  ASSERT_EQ(plan.Steps.size(), 1u);
  ExpectLoadsBytes(plan.Steps[0], TableKind::kExport, image.data(), "/tmp/t.tab");
}

TEST(RecognizeTableImage, ByteAt64MarksImport) {
  Bytes image = Identity();
  image[64] = 0x20;
  const LoadPlan plan = Recognize(image);
  ASSERT_EQ(plan.Steps.size(), 1u);
  ExpectLoadsBytes(plan.Steps[0], TableKind::kImport, image.data(), "/tmp/t.tab");
}

TEST(RecognizeTableImage, IdentityIsNotRecognised) {
  ExpectMessageOnly(Recognize(Identity()), kKindMessage);
  ExpectMessageOnly(Recognize(Identity(), static_cast<TableKind>(7)), kKindMessage);
}

TEST(RecognizeTableImage, ForcedKindLoadsAnyImage) {
  const Bytes image = Identity();
  const LoadPlan as_export = Recognize(image, TableKind::kExport, "x");
  ASSERT_EQ(as_export.Steps.size(), 1u);
  ExpectLoadsBytes(as_export.Steps[0], TableKind::kExport, image.data(), "x");
  Bytes export_like = Identity();
  export_like[32] = 0x40;
  const LoadPlan as_import = Recognize(export_like, TableKind::kImport, "y");
  ASSERT_EQ(as_import.Steps.size(), 1u);
  ExpectLoadsBytes(as_import.Steps[0], TableKind::kImport, export_like.data(), "y");
}

TEST(RecognizeTableImage, PairOf512IsImportThenExport) {
  Bytes data(512);
  for (int i = 0; i < 512; ++i) data[i] = static_cast<uint8_t>(i * 7 + 3);
  const LoadPlan plan = Recognize(data, TableKind::kExport, "pair.tab");
  ASSERT_EQ(plan.Steps.size(), 2u);
  ExpectLoadsBytes(plan.Steps[0], TableKind::kImport, data.data(), "pair.tab");
  ExpectLoadsBytes(plan.Steps[1], TableKind::kExport, data.data() + 256, "pair.tab");
}

TEST(RecognizeTableImage, V5ExportAndImportByLetter) {
  for (const auto& [letter, kind] : {std::pair{'A', TableKind::kExport}, std::pair{'E', TableKind::kImport}}) {
    const LoadPlan plan = Recognize(V5File(letter, "[Courier New] DIN 66003"), TableKind::kUnknown, "ignored");
    ASSERT_EQ(plan.Steps.size(), 1u);
    const LoadStep& step = plan.Steps[0];
    EXPECT_TRUE(step.Loads());
    EXPECT_EQ(step.Table, kind);
    EXPECT_EQ(step.Name, "DIN 66003");
    for (int p = 0; p < 256; ++p) EXPECT_EQ(step.Entries[p].Target, p);
  }
}

TEST(RecognizeTableImage, V5KindArgumentIsNotUsed) {
  const LoadPlan plan = Recognize(V5File('E', "] N"), TableKind::kExport);
  ASSERT_EQ(plan.Steps.size(), 1u);
  EXPECT_EQ(plan.Steps[0].Table, TableKind::kImport);
}

TEST(RecognizeTableImage, V5OtherLetterIsIgnoredSilently) {
  for (const char letter : {'I', 'U', ' '}) EXPECT_TRUE(Recognize(V5File(letter, "] N")).Steps.empty()) << letter;
}

TEST(RecognizeTableImage, V5UnassignedAndHighByte) {
  Bytes image = V5File('A', "] N");
  image[64 + 4 * 0x20] = 0xFF;
  image[64 + 4 * 0x20 + 1] = 0xFF;
  image[64 + 4 * 0x21] = 0x41;
  image[64 + 4 * 0x21 + 1] = 0x01;
  const LoadPlan plan = Recognize(image);
  ASSERT_EQ(plan.Steps.size(), 1u);
  EXPECT_EQ(plan.Steps[0].Entries[0x20].Target, -1);
  EXPECT_EQ(plan.Steps[0].Entries[0x21].Target, 0x41);
  EXPECT_EQ(plan.Steps[0].Entries[0x22].Target, 0x22);
}

TEST(RecognizeTableImage, V5WithoutBracketLoadsWithoutName) {
  const LoadPlan plan = Recognize(V5File('A', "Courier New DIN"));
  ASSERT_EQ(plan.Steps.size(), 1u);
  EXPECT_TRUE(plan.Steps[0].Loads());
  EXPECT_EQ(plan.Steps[0].Name, "");
}

TEST(RecognizeTableImage, V5BadSignatureQuotesTheLeadingText) {
  Bytes image = V5File('A', "] N");
  image[5] = 'c';
  ExpectMessageOnly(Recognize(image), kHeaderMessage + "QAVO codeTab A");
}

TEST(RecognizeTableImage, V5LeadingTextIsLatin1AsUtf8) {
  Bytes image(1088, 0);
  const char text[] =
      "Gr\xF6\xDF"
      "e \xA9";
  std::memcpy(image.data(), text, sizeof text - 1);
  ExpectMessageOnly(Recognize(image), kHeaderMessage +
                                          "Gr\xC3\xB6\xC3\x9F"
                                          "e \xC2\xA9");
}

TEST(RecognizeTableImage, V5LeadingTextWithoutNulStopsAtTheEnd) {
  const Bytes image(1088, 'x');
  ExpectMessageOnly(Recognize(image), kHeaderMessage + std::string(1088, 'x'));
  const Bytes empty(1088, 0);
  ExpectMessageOnly(Recognize(empty), kHeaderMessage);
}

TEST(RecognizeTableImage, V5PairLoadsBothHalves) {
  Bytes data = V5File('A', "] EX");
  const Bytes second = V5File('E', "[F] IM");
  data.insert(data.end(), second.begin(), second.end());
  const LoadPlan plan = Recognize(data);
  ASSERT_EQ(plan.Steps.size(), 2u);
  EXPECT_EQ(plan.Steps[0].Table, TableKind::kExport);
  EXPECT_EQ(plan.Steps[0].Name, "EX");
  EXPECT_EQ(plan.Steps[1].Table, TableKind::kImport);
  EXPECT_EQ(plan.Steps[1].Name, "IM");
}

// A pair loads whole or not at all; only the halves' messages are shown.
TEST(RecognizeTableImage, V5PairLoadsOnlyAsOneExportAndOneImportTable) {
  const Bytes no_signature(1088, 'x');  // no NUL: the quote stops at the half
  const std::vector<std::tuple<Bytes, Bytes, std::vector<TableKind>>> cases = {
      {V5File('E', "] IM"), V5File('A', "] EX"), {TableKind::kImport, TableKind::kExport}},
      {no_signature, V5File('E', "] IM"), {TableKind::kUnknown}},
      {V5File('U', "] A"), V5File('A', "] B"), {}},
      {V5File('A', "] A"), V5File('U', "] B"), {}},
      {V5File('A', "] A"), V5File('A', "] B"), {}},
  };
  for (const auto& [first, second, tables] : cases) {
    Bytes data = first;
    data.insert(data.end(), second.begin(), second.end());
    std::vector<TableKind> planned;
    for (const LoadStep& step : Recognize(data).Steps) planned.push_back(step.Table);
    EXPECT_EQ(planned, tables);
  }
}

TEST(RecognizeTableImage, WrittenImagesLoadBack) {
  CodeTable export_table(TableKind::kExport);
  CodeTable import_table(TableKind::kImport);
  export_table.SetFontName("Courier New");
  import_table.SetFontName("Courier New");
  for (int p = 0; p < 200; ++p) {
    export_table.Assign(p, 255 - p);
    import_table.Assign(255 - p, p);
  }
  export_table.BuildHeader(TableKind::kExport, "Hin");
  import_table.BuildHeader(TableKind::kImport, "Her");

  const LoadPlan pair = Recognize(V5PairImage(export_table, import_table));
  ASSERT_EQ(pair.Steps.size(), 2u);
  const CodeTable* tables[] = {&export_table, &import_table};
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(pair.Steps[i].Table, tables[i]->Kind());
    EXPECT_EQ(pair.Steps[i].Name, tables[i]->HeaderName());
    for (int p = 0; p < 256; ++p) EXPECT_EQ(pair.Steps[i].Entries[p].Target, tables[i]->Target(p));
  }

  const LoadPlan v3 = Recognize(V3Image(import_table, export_table));
  ASSERT_EQ(v3.Steps.size(), 2u);
  EXPECT_EQ(v3.Steps[0].Table, TableKind::kImport);
  EXPECT_EQ(v3.Steps[1].Table, TableKind::kExport);
  for (int p = 0; p < 256; ++p) {
    EXPECT_EQ(v3.Steps[0].Entries[p].Target, StoredCode(import_table, p));
    EXPECT_EQ(v3.Steps[1].Entries[p].Target, StoredCode(export_table, p));
  }
}

TEST(RecognizeTableImage, OtherLengthsAreUnknownFormat) {
  for (const size_t length : {0, 1, 255, 257, 300, 511, 513, 1087, 1089, 2175, 2177, 5000}) {
    const Bytes data(length, 0x40);
    ExpectMessageOnly(Recognize(data), "unbekanntes Dateiformat");
  }
}

TEST(LengthCheck, AcceptsFrom256To2176) {
  EXPECT_FALSE(LengthAccepted(0));
  EXPECT_FALSE(LengthAccepted(255));
  EXPECT_TRUE(LengthAccepted(256));
  EXPECT_TRUE(LengthAccepted(300));
  EXPECT_TRUE(LengthAccepted(2176));
  EXPECT_FALSE(LengthAccepted(2177));
}

TEST(LengthCheck, RefusalNamesTheLength) {
  EXPECT_EQ(LengthRefusal(255), "Datei nicht erkannt: falsche L\xC3\xA4nge 255");
  EXPECT_EQ(LengthRefusal(2177), "Datei nicht erkannt: falsche L\xC3\xA4nge 2177");
  EXPECT_EQ(LengthRefusal(0), "Datei nicht erkannt: falsche L\xC3\xA4nge 0");
}

TEST(Latin1ToUtf8, AsciiStaysHighBytesBecomeTwo) {
  EXPECT_EQ(Latin1ToUtf8("abc"), "abc");
  EXPECT_EQ(Latin1ToUtf8("\x80\xFF"), "\xC2\x80\xC3\xBF");
}

}  // namespace
