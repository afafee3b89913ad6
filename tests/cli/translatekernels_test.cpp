#include "cli/translatekernels.h"

#include <stdlib.h>

#include <random>

#include "clifiles.h"

namespace {

class EveryKernel : public ::testing::TestWithParam<Kernel> {
 protected:
  void SetUp() override {
    if (!ProcessorRuns(GetParam()))
      GTEST_SKIP() << "dieser Prozessor kann " << KernelName(GetParam()) << " nicht ausführen";
  }
};

// Random maps, lengths and alignments of input and output, in place too;
// the bytes around the output stay untouched.
TEST_P(EveryKernel, EqualsThePortableKernel) {
  std::mt19937 random(static_cast<unsigned>(GetParam()) + 1);
  uint8_t map[256];
  for (int round = 0; round < 400; ++round) {
    for (uint8_t& code : map) code = static_cast<uint8_t>(random());
    const size_t length = round < 300 ? random() % 700 : random() % 70000;
    const size_t in_at = random() % 64, out_at = random() % 64;
    Bytes input(length + 128), output(length + 128), expected(length + 128);
    for (uint8_t& byte : input) byte = static_cast<uint8_t>(random());
    RunKernel(Kernel::kPortable, map, input.data() + in_at, expected.data() + out_at, length);
    RunKernel(GetParam(), map, input.data() + in_at, output.data() + out_at, length);
    ASSERT_EQ(output, expected) << "Länge " << length << ", Eingabe +" << in_at << ", Ausgabe +" << out_at;
    Bytes in_place = input;
    RunKernel(GetParam(), map, in_place.data() + in_at, in_place.data() + in_at, length);
    ASSERT_TRUE(std::equal(in_place.begin() + in_at, in_place.begin() + in_at + length, expected.begin() + out_at));
  }
}

INSTANTIATE_TEST_SUITE_P(Kernels, EveryKernel, ::testing::Values(Kernel::kAvx2, Kernel::kAvx512Vbmi),
                         [](const ::testing::TestParamInfo<Kernel>& info) { return KernelName(info.param); });

TEST(Portable, IsEveryEntryOfTheMap) {
  uint8_t map[256], all[256], out[256];
  for (int i = 0; i < 256; ++i) {
    map[i] = static_cast<uint8_t>(255 - i * 7);
    all[i] = static_cast<uint8_t>(i);
  }
  RunKernel(Kernel::kPortable, map, all, out, 256);
  EXPECT_TRUE(std::equal(out, out + 256, map));
}

// The variable's value, restored afterwards.
class KernelVariableSet {
 public:
  explicit KernelVariableSet(const char* value) {
    if (const char* old = getenv(kKernelVariable)) old_ = old, had_old_ = true;
    if (value)
      setenv(kKernelVariable, value, 1);
    else
      unsetenv(kKernelVariable);
  }
  ~KernelVariableSet() {
    if (had_old_)
      setenv(kKernelVariable, old_.c_str(), 1);
    else
      unsetenv(kKernelVariable);
  }

 private:
  std::string old_;
  bool had_old_ = false;
};

TEST(FastestKernel, NeverOneTheProcessorCannotRun) {
  const std::vector<std::pair<bool (*)(Kernel), Kernel>> processors = {
      {[](Kernel k) { return k == Kernel::kPortable; }, Kernel::kPortable},
      {[](Kernel k) { return k != Kernel::kAvx512Vbmi; }, Kernel::kAvx2},
      {[](Kernel k) { return k != Kernel::kAvx2; }, Kernel::kAvx512Vbmi},
  };
  for (const auto& [runs, fastest] : processors) EXPECT_EQ(FastestKernel(runs), fastest);
}

TEST(ChooseKernel, TheFastestUnlessTheVariableNamesOne) {
  const Kernel fastest = ProcessorRuns(Kernel::kAvx512Vbmi) ? Kernel::kAvx512Vbmi
                         : ProcessorRuns(Kernel::kAvx2)     ? Kernel::kAvx2
                                                            : Kernel::kPortable;
  EXPECT_EQ(FastestKernel(), fastest);
  Kernel kernel = Kernel::kPortable;
  std::string error;
  for (const char* value : {static_cast<const char*>(nullptr), ""}) {
    KernelVariableSet set(value);
    EXPECT_TRUE(ChooseKernel(kernel, error));
    EXPECT_EQ(kernel, fastest);
  }
  for (const Kernel named : AllKernels()) {
    KernelVariableSet set(KernelName(named));
    error.clear();
    EXPECT_EQ(ChooseKernel(kernel, error), ProcessorRuns(named)) << KernelName(named);
    if (ProcessorRuns(named))
      EXPECT_EQ(kernel, named);
    else
      EXPECT_EQ(error, std::string("QAVO_CT_KERNEL=") + KernelName(named) +
                           ": dieser Prozessor kann den Kern nicht ausführen");
  }
  KernelVariableSet set("sse9");
  EXPECT_FALSE(ChooseKernel(kernel, error));
  EXPECT_EQ(error, "QAVO_CT_KERNEL=sse9: unbekannter Kern (portable, avx2, avx512vbmi)");
}

// The program with each kernel it can run gives the portable kernel's bytes.
TEST(ChooseKernel, TheToolTranslatesAlikeWithEveryKernel) {
  ScratchDir dir;
  std::mt19937 random(5);
  Bytes table(256), input(3 * 1048576 + 333);
  for (uint8_t& byte : table) byte = static_cast<uint8_t>(random());
  for (uint8_t& byte : input) byte = static_cast<uint8_t>(random());
  table[32] = 0x40;  // recognised as an EXPORT image
  WriteFile(dir / "table.tab", table);
  WriteFile(dir / "in", input);
  Bytes expected(input.size());
  RunKernel(Kernel::kPortable, table.data(), input.data(), expected.data(), input.size());
  for (const Kernel kernel : AllKernels()) {
    const std::string command = std::string(kKernelVariable) + "=" + KernelName(kernel) + " '" + QAVO_CT +
                                "' translate --table '" + dir / "table.tab" + "' '" + dir / "in" + "' '" + dir / "out" +
                                "' 2>'" + dir / "err" + "'";
    const int status = std::system(command.c_str());
    if (!ProcessorRuns(kernel)) {
      EXPECT_EQ(WEXITSTATUS(status), 2);
      const Bytes err = ReadFile(dir / "err");
      EXPECT_EQ(std::string(err.begin(), err.end()), std::string("qavo-ct: QAVO_CT_KERNEL=") + KernelName(kernel) +
                                                         ": dieser Prozessor kann den Kern nicht ausführen\n");
      continue;
    }
    EXPECT_EQ(WEXITSTATUS(status), 0) << KernelName(kernel);
    EXPECT_EQ(ReadFile(dir / "out"), expected) << KernelName(kernel);
  }
}

}  // namespace
