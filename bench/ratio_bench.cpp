// The work of `check`, page search, `build` and `info` on the generated
// 999-page, 10 MB Shift-JIS project, each beside the plain tool that reads
// the same bytes (grep -c, cat), and the whole `quillory-cli info` program
// on that project and on the small sample beside the `cat` program on the
// same file (start-up included). Every benchmark reports its own median,
// the baseline's median, their ratio and the goal for that ratio, so one run
// re-measures the whole table:
//   ratio_bench --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "build/build_output.h"
#include "build/contents_writer.h"
#include "build/help_project_writer.h"
#include "build/map_header_writer.h"
#include "build/topic_writer.h"
#include "core/codec.h"
#include "core/files.h"
#include "core/progress.h"
#include "core/prompter.h"
#include "generated_project.h"
#include "markup/brace_check.h"
#include "markup/find_pages.h"
#include "markup/hotspot_link_check.h"
#include "project/project_file.h"
#include "project/project_model.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
  double wall_ms = 0;
  double cpu_ms = 0;  // this thread's CPU time: steadier on a busy machine
};

double CpuMilliseconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

Sample Measure(const std::function<void()>& work) {
  const auto start = Clock::now();
  const double cpu_start = CpuMilliseconds();
  work();
  return {std::chrono::duration<double, std::milli>(Clock::now() - start).count(),
          CpuMilliseconds() - cpu_start};
}

double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples.empty() ? 0.0 : samples[samples.size() / 2];
}

const std::string& ProjectPath() { return qy::bench::GeneratedProjectFile(); }

// The project as `check` and `info` see it: loaded from its file.
const qy::ProjectModel& LoadedProject() {
  static const qy::ProjectModel* model = [] {
    auto* m = new qy::ProjectModel;
    qy::SilentPrompter prompter;
    qy::NullProgress progress;
    qy::LoadProjectFile(*m, ProjectPath(), qy::kVersion160b, prompter, progress);
    m->SetProjectFileName(ProjectPath());
    return m;
  }();
  return *model;
}

// grep -c: the lines of the file that hold `word`.
std::size_t GrepCount(const std::string& file, std::string_view word) {
  const auto bytes = qy::ReadWholeFile(file);
  std::size_t count = 0;
  const char* p = bytes->data();
  const char* end = p + bytes->size();
  while (p < end) {
    const void* hit = memmem(p, static_cast<std::size_t>(end - p), word.data(), word.size());
    if (!hit) break;
    ++count;
    const char* eol = static_cast<const char*>(
        std::memchr(hit, '\n', static_cast<std::size_t>(end - static_cast<const char*>(hit))));
    p = eol ? eol + 1 : end;
  }
  return count;
}

// cat A B C > D.
void Cat(const std::vector<std::string>& files, const std::string& target) {
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  for (const std::string& f : files) {
    const auto bytes = qy::ReadWholeFile(f);
    if (!bytes) std::abort();
    out << *bytes;
  }
}

extern "C" char** environ;

double Milliseconds(const timeval& t) {
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
}

// Runs a program with its output to /dev/null; the CPU time is the child's
// (user and system), which counts loading and start-up too.
Sample RunProgram(std::vector<std::string> argv) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<char*> args;
  for (std::string& a : argv) args.push_back(a.data());
  args.push_back(nullptr);
  const auto start = Clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) != 0) std::abort();
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::abort();
  }
  const auto end = Clock::now();
  posix_spawn_file_actions_destroy(&actions);
  return {std::chrono::duration<double, std::milli>(end - start).count(),
          Milliseconds(usage.ru_utime) + Milliseconds(usage.ru_stime)};
}

// Runs `work` under the benchmark loop, then the baseline as often, and
// reports both medians, their ratio and the goal.
void CompareSamples(benchmark::State& state, const std::function<Sample()>& work,
                    const std::function<Sample()>& baseline, double goal) {
  std::vector<double> work_wall;
  std::vector<double> work_cpu;
  for (auto _ : state) {
    const Sample s = work();
    work_wall.push_back(s.wall_ms);
    work_cpu.push_back(s.cpu_ms);
  }
  std::vector<double> base_wall;
  std::vector<double> base_cpu;
  for (std::size_t i = 0; i < std::max<std::size_t>(work_wall.size(), 5); ++i) {
    const Sample s = baseline();
    base_wall.push_back(s.wall_ms);
    base_cpu.push_back(s.cpu_ms);
  }
  const double w = Median(work_wall);
  const double b = Median(base_wall);
  const double wc = Median(work_cpu);
  const double bc = Median(base_cpu);
  state.counters["work_ms"] = w;
  state.counters["baseline_ms"] = b;
  state.counters["work_cpu_ms"] = wc;
  state.counters["baseline_cpu_ms"] = bc;
  state.counters["ratio"] = b > 0 ? w / b : 0;
  state.counters["cpu_ratio"] = bc > 0 ? wc / bc : 0;
  state.counters["goal"] = goal;
}

void Compare(benchmark::State& state, const std::function<void()>& work,
             const std::function<void()>& baseline, double goal) {
  CompareSamples(
      state, [&] { return Measure(work); }, [&] { return Measure(baseline); }, goal);
}

void Check(benchmark::State& state) {
  const std::string& file = ProjectPath();
  Compare(
      state,
      [&] {
        qy::ProjectModel model;
        qy::SilentPrompter prompter;
        qy::NullProgress progress;
        qy::LoadProjectFile(model, file, qy::kVersion160b, prompter, progress);
        benchmark::DoNotOptimize(qy::CheckBraces(model));
        benchmark::DoNotOptimize(qy::CheckLinks(model));
      },
      [&] { benchmark::DoNotOptimize(GrepCount(file, "{\\v")); }, 5);
}
BENCHMARK(Check)->Unit(benchmark::kMillisecond)->Iterations(5);

void Search(benchmark::State& state, bool case_sensitive) {
  const qy::ProjectModel& model = LoadedProject();
  const std::string word = qy::Sjis("ポップアップ");
  qy::PageSearch search{word, case_sensitive, qy::FindScope::kProject, 1};
  Compare(
      state, [&] { benchmark::DoNotOptimize(qy::SearchPages(model, search)); },
      [&] { benchmark::DoNotOptimize(GrepCount(ProjectPath(), word)); }, 2);
}
BENCHMARK_CAPTURE(Search, case_sensitive, true)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK_CAPTURE(Search, case_blind, false)->Unit(benchmark::kMillisecond)->Iterations(20);

void Build(benchmark::State& state) {
  const qy::ProjectModel& model = LoadedProject();
  qy::NullProgress progress;
  std::vector<std::string> outputs;
  for (const char* ext : {".hpj", ".cnt", ".hh", ".rtf"})
    outputs.push_back(qy::BuildFilePath(model, ext));
  const std::string copy = qy::bench::GeneratedPath(".cat");
  Compare(
      state,
      [&] {
        const bool ok = qy::WriteHelpProject(model, true, "", progress) &&
                        qy::WriteContentsFile(model, true, progress) &&
                        qy::WriteMapHeader(model, progress) && qy::WriteTopicFile(model, progress);
        if (!ok) std::abort();
      },
      [&] { Cat(outputs, copy); }, 3);
}
BENCHMARK(Build)->Unit(benchmark::kMillisecond)->Iterations(10);

void Load(benchmark::State& state) {
  const std::string& file = ProjectPath();
  Compare(
      state,
      [&] {
        qy::ProjectModel model;
        qy::SilentPrompter prompter;
        qy::NullProgress progress;
        qy::LoadProjectFile(model, file, qy::kVersion160b, prompter, progress);
        benchmark::DoNotOptimize(model.PageCount());
      },
      [&] { benchmark::DoNotOptimize(qy::ReadWholeFile(file)->size()); }, 3);
}
BENCHMARK(Load)->Unit(benchmark::kMillisecond)->Iterations(10);

// The installed program as a user runs it, against `cat` of the same file.
void InfoProgram(benchmark::State& state, const std::string& file, double goal) {
  CompareSamples(
      state,
      [&] {
        return RunProgram({QY_CLI_PROGRAM, "info", file});
      },
      [&] {
        return RunProgram({"/bin/cat", file});
      },
      goal);
}

void InfoGenerated(benchmark::State& state) { InfoProgram(state, ProjectPath(), 3); }
BENCHMARK(InfoGenerated)->Unit(benchmark::kMillisecond)->Iterations(20);

void InfoSample(benchmark::State& state) { InfoProgram(state, QY_SAMPLE_PROJECT, 2); }
BENCHMARK(InfoSample)->Unit(benchmark::kMillisecond)->Iterations(40);

}  // namespace
