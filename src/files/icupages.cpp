#include "files/icupages.h"

#include <unicode/uchar.h>
#include <unicode/ucnv.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// One ICU converter that stops at anything it cannot map, closed on
// destruction.
class IcuConverter {
 public:
  explicit IcuConverter(const std::string& name) {
    UErrorCode error = U_ZERO_ERROR;
    handle_ = ucnv_open(name.c_str(), &error);
    if (U_FAILURE(error)) {
      handle_ = nullptr;
      return;
    }
    ucnv_setToUCallBack(handle_, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
    ucnv_setFromUCallBack(handle_, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
    if (U_FAILURE(error)) Close();
  }
  ~IcuConverter() { Close(); }
  IcuConverter(const IcuConverter&) = delete;
  IcuConverter& operator=(const IcuConverter&) = delete;

  bool Valid() const { return handle_ != nullptr; }
  bool SingleByte() const { return Valid() && ucnv_getType(handle_) == UCNV_SBCS; }

  // The one BMP character byte stands for, -1 when there is none.
  int32_t Character(int byte) const {
    const char in = static_cast<char>(byte);
    UChar out[4];
    UErrorCode error = U_ZERO_ERROR;
    ucnv_reset(handle_);
    const int32_t length = ucnv_toUChars(handle_, out, 4, &in, 1, &error);
    return U_FAILURE(error) || length != 1 ? -1 : out[0];
  }

  // The one byte character becomes, -1 when there is none.
  int Byte(uint32_t character) const {
    if (character > 0xFFFF) return -1;
    const UChar in = static_cast<UChar>(character);
    char out[4];
    UErrorCode error = U_ZERO_ERROR;
    ucnv_reset(handle_);
    const int32_t length = ucnv_fromUChars(handle_, out, sizeof out, &in, 1, &error);
    return U_FAILURE(error) || length != 1 ? -1 : static_cast<unsigned char>(out[0]);
  }

 private:
  void Close() {
    if (handle_) ucnv_close(handle_);
    handle_ = nullptr;
  }

  UConverter* handle_ = nullptr;
};

// 273 of "ibm-273_P100-1995"; 0 for names of another form and for
// variants with options ("ibm-37_P100-1995,swaplfnl").
int CodePageOf(const char* name) {
  if (std::strncmp(name, "ibm-", 4) != 0 || std::strchr(name, ',')) return 0;
  char* end = nullptr;
  const long number = std::strtol(name + 4, &end, 10);
  return end != name + 4 && *end == '_' && number > 0 && number < 100000 ? static_cast<int>(number) : 0;
}

std::string NameOf(uint32_t character, UCharNameChoice choice) {
  char name[128];
  UErrorCode error = U_ZERO_ERROR;
  const int32_t length = u_charName(static_cast<UChar32>(character), choice, name, sizeof name, &error);
  if (U_FAILURE(error) || length <= 0) return std::string();
  return std::string(name, static_cast<size_t>(length));
}

}  // namespace

std::vector<IcuPage> IcuEbcdicPages() {
  std::vector<IcuPage> pages;
  const int32_t count = ucnv_countAvailable();
  for (int32_t i = 0; i < count; ++i) {
    const char* name = ucnv_getAvailableName(i);
    const int code_page = CodePageOf(name);
    if (code_page == 0) continue;
    const IcuConverter converter(name);
    // EBCDIC keeps the space at 40.
    if (converter.SingleByte() && converter.Character(0x40) == 0x20) pages.push_back({code_page, name});
  }
  std::stable_sort(pages.begin(), pages.end(),
                   [](const IcuPage& a, const IcuPage& b) { return a.CodePage < b.CodePage; });
  pages.erase(std::unique(pages.begin(), pages.end(),
                          [](const IcuPage& a, const IcuPage& b) { return a.CodePage == b.CodePage; }),
              pages.end());
  return pages;
}

bool BuildIcuPair(const IcuPage& page, Workstation workstation, bool swap_nl, CodePagePair& pair) {
  const IcuConverter converter(page.Name);
  if (!converter.Valid()) return false;
  for (int p = 0; p < 256; ++p) {
    pair.Export[p].Target = static_cast<int16_t>(converter.Byte(WorkstationCharacter(workstation, p)));
    const int32_t character = converter.Character(p);
    pair.Import[p].Target =
        static_cast<int16_t>(character == -1 ? -1 : WorkstationByte(workstation, static_cast<uint32_t>(character)));
  }
  FinishCodePagePair(page.CodePage, workstation, swap_nl, pair);
  return true;
}

std::string UnicodeName(uint32_t character) {
  std::string name = NameOf(character, U_UNICODE_CHAR_NAME);
  if (name.empty()) name = NameOf(character, U_CHAR_NAME_ALIAS);
  if (name.empty()) name = NameOf(character, U_EXTENDED_CHAR_NAME);
  return name;
}
