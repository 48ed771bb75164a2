// Every writer against hand-checked expected files: each tests/data/build
// ".proj" description comes with the files its build must produce.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "build/compress_line.h"
#include "build/contents_writer.h"
#include "build/golden_project.h"
#include "build/help_project_writer.h"
#include "build/map_header_writer.h"
#include "build/preview_help_project_writer.h"
#include "build/preview_topic_writer.h"
#include "build/topic_writer.h"
#include "core/codec.h"
#include "core/files.h"

namespace qy {
namespace {

namespace fs = std::filesystem;
using testing::GoldenProject;

const std::string kDataDir = std::string(QY_TEST_DATA_DIR) + "/build/";

struct Output {
  std::string extension;
  std::function<std::string(const GoldenProject&)> build;
};

const std::vector<Output>& Outputs() {
  static const std::vector<Output> outputs = {
      {".hpj",
       [](const GoldenProject& g) {
         return BuildHelpProject(*g.project, g.build.honour_compression, g.build.bitmap_path,
                                 CompressLine());
       }},
      {".cnt",
       [](const GoldenProject& g) { return BuildContentsFile(*g.project, g.build.no_low_layer); }},
      {".hh", [](const GoldenProject& g) { return BuildMapHeader(*g.project); }},
      {".rtf", [](const GoldenProject& g) { return BuildTopicFile(*g.project); }},
      {".preview.hpj",
       [](const GoldenProject& g) {
         return BuildPreviewHelpProject(*g.project, g.build.preview_base, g.build.preview_page,
                                        g.build.bitmap_path);
       }},
      {".preview.rtf",
       [](const GoldenProject& g) {
         return BuildPreviewTopicFile(*g.project, g.build.preview_page);
       }},
  };
  return outputs;
}

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kDataDir)) {
    if (entry.path().extension() == ".proj") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class GoldenFiles : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenFiles, EveryExpectedFileMatchesByteForByte) {
  const std::string stem = kDataDir + GetParam();
  GoldenProject g = testing::LoadGoldenProject(stem + ".proj");
  int compared = 0;
  for (const Output& out : Outputs()) {
    auto expected = ReadWholeFile(stem + out.extension);
    if (!expected) continue;
    ++compared;
    std::string actual = out.build(g);
    // Compared as UTF-8 so that a difference reads as text.
    EXPECT_EQ(Cp932ToUtf8(actual), Cp932ToUtf8(*expected)) << GetParam() << out.extension;
    EXPECT_EQ(actual, *expected) << GetParam() << out.extension;
  }
  EXPECT_GT(compared, 0) << "no expected output for " << GetParam();
}

INSTANTIATE_TEST_SUITE_P(BuildData, GoldenFiles, ::testing::ValuesIn(CaseNames()),
                         [](const auto& info) { return info.param; });

TEST(GoldenFilesData, AllCasesArePresent) { EXPECT_GE(CaseNames().size(), 5u); }

}  // namespace
}  // namespace qy
