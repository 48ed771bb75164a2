#include "hlp/help_compiler.h"

#include <deque>
#include <memory>

#include "core/cp932.h"
#include "core/files.h"
#include "core/native_path.h"
#include "hlp/build_tags.h"
#include "hlp/help_file_assembly.h"
#include "hlp/help_project.h"
#include "hlp/message_codes.h"
#include "hlp/path_resolver.h"
#include "hlp/picture.h"
#include "hlp/project_resources.h"
#include "hlp/topic_compiler.h"
#include "topic/parser.h"

namespace qy::hlp {

namespace {

int LineAt(std::string_view text, std::size_t offset) {
  int line = 1;
  offset = std::min(offset, text.size());
  for (std::size_t i = 0; i < offset; ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
      ++line;
    }
  }
  return line;
}

// What messages need to know of a topic once it has been compiled and let go.
struct TopicTrace {
  std::size_t offset = 0;
  std::string title;
  std::vector<std::string> pictures;
};

struct SourceFile {
  std::string name;  // as [FILES] names it
  FileBytes bytes;   // the file, read once and only looked at
  std::string_view text;
  std::vector<TopicTrace> traces;  // one per topic, in order
};

// Compiles each topic as soon as the reader has it, so that a large topic
// file is never held as a whole document. Topics the build tags leave out
// are only traced.
class CompilingSink : public topic::TopicSink {
 public:
  CompilingSink(SourceFile& source, TopicCompiler* compiler, const BuildTagFilter& filter,
                std::vector<Diagnostic>& diagnostics)
      : source_(source), compiler_(compiler), filter_(filter), diagnostics_(diagnostics) {}

  void Take(const topic::Document& tables, topic::Topic& topic) override {
    TopicTrace trace;
    trace.offset = topic.offset;
    trace.title = topic.FootnoteText('$');
    for (const topic::Picture& p : topic.pictures) trace.pictures.push_back(p.file);
    const std::vector<std::string> tags = BuildTagFilter::TagsOf(topic);
    for (const std::string& tag : filter_.Undeclared(tags)) {
      diagnostics_.push_back(MakeDiagnostic(
          code::kUndeclaredBuildTag, "Build tag \"" + tag + "\" is not in [BUILDTAGS].",
          source_.name, LineAt(source_.text, topic.offset), trace.title));
    }
    source_.traces.push_back(std::move(trace));
    if (compiler_ != nullptr && filter_.Includes(tags)) compiler_->AddTopic(tables, topic);
  }

 private:
  SourceFile& source_;
  TopicCompiler* compiler_;
  const BuildTagFilter& filter_;
  std::vector<Diagnostic>& diagnostics_;
};

// The markup reader's notes that authors must hear of: braces that do not
// pair up and commands left open, with the topic they stand in.
void ReportNotes(const topic::Document& doc, const SourceFile& source,
                 std::vector<Diagnostic>& out) {
  for (const topic::Note& note : doc.notes) {
    const char* what = nullptr;
    int code = code::kUnbalancedGroup;
    switch (note.kind) {
      case topic::NoteKind::kUnmatchedClose:
        what = "A \"}\" closes no group.";
        break;
      case topic::NoteKind::kUnclosedGroup:
        what = "A \"{\" is never closed.";
        break;
      case topic::NoteKind::kUnclosedCommand:
        what = "A \"\\{\" command is not closed with \"\\}\" in its paragraph.";
        code = code::kMarkupProblem;
        break;
      case topic::NoteKind::kMalformedEscape:
        what = "A \"\\'\" escape without two hexadecimal digits.";
        code = code::kMarkupProblem;
        break;
      default:
        continue;
    }
    std::string title;
    for (const TopicTrace& t : source.traces) {
      if (t.offset <= note.offset) title = t.title;
    }
    out.push_back(MakeDiagnostic(code, what, source.name, LineAt(source.text, note.offset), title));
  }
}

// The first topic that shows `picture`, so a picture message can name the
// topic and line an author has to look at.
Diagnostic PictureDiagnostic(int code, std::string text, const std::string& picture,
                             const std::deque<SourceFile>& sources) {
  for (const SourceFile& source : sources) {
    for (const TopicTrace& t : source.traces) {
      for (const std::string& file : t.pictures) {
        if (EqualsIgnoreAsciiCase(file, picture)) {
          return MakeDiagnostic(code, std::move(text), source.name, LineAt(source.text, t.offset),
                                t.title);
        }
      }
    }
  }
  return MakeDiagnostic(code, std::move(text));
}

std::string ProjectFolder(const std::string& project_path) {
  std::string folder = FolderOf(project_path);
  return folder.empty() ? "./" : folder;
}

}  // namespace

bool CompileOutcome::HasErrors() const {
  for (const Diagnostic& d : diagnostics) {
    if (d.severity == Severity::kError) return true;
  }
  return false;
}

CompileOutcome CompileHelpProject(const CompileRequest& request) {
  CompileOutcome out;
  const std::string folder = ProjectFolder(request.project_path);
  const std::string project_name = PathToSjis(FileNameOf(request.project_path));
  out.help_file = request.output_path.empty() ? ChangeExtension(request.project_path, ".hlp")
                                              : request.output_path;
  std::string reason;
  auto project_text = ReadWholeFile(request.project_path, &reason);
  HelpProject project;
  if (!project_text) {
    out.diagnostics.push_back(MakeDiagnostic(code::kFileUnreadable,
                                             "Cannot read the help project: " + PathToSjis(reason),
                                             project_name));
  } else {
    project = ReadHelpProject(*project_text, project_name,
                              [&](const std::string& name, std::string* why) {
                                const std::string path = FindInFolders(folder, project.roots, name);
                                if (path.empty()) {
                                  *why = "file not found";
                                  return std::optional<std::string>();
                                }
                                std::string error;
                                auto text = ReadWholeFile(path, &error);
                                if (!text) *why = PathToSjis(error);
                                return text;
                              });
    out.diagnostics = project.diagnostics;
    if (project.files.empty()) {
      out.diagnostics.push_back(MakeDiagnostic(
          code::kNoTopicFiles, "The help project names no topic file in [FILES].", project_name));
    }
  }

  // Topic files: each topic is compiled as it is read, unless the build is
  // already known to fail. The texts stay for the messages' line numbers.
  std::vector<std::string> window_names;
  for (const WindowDefinition& w : project.windows) window_names.push_back(w.name);
  std::unique_ptr<TopicCompiler> compiler;
  if (!out.HasErrors()) compiler = std::make_unique<TopicCompiler>(window_names, project.compress);
  bool tables_changed_late = false;
  const BuildTagFilter filter(project);
  if (!filter.ExpressionProblem().empty()) {
    out.diagnostics.push_back(MakeDiagnostic(code::kBadLine,
                                             filter.ExpressionProblem() + "; every topic is built.",
                                             project_name, project.build_line));
  }
  const HelpProject& read = project;
  for (const std::vector<std::string>* list :
       {&read.include_tags, &read.exclude_tags, &filter.ExpressionTags()}) {
    for (const std::string& tag : filter.Undeclared(*list)) {
      out.diagnostics.push_back(MakeDiagnostic(code::kUndeclaredBuildTag,
                                               "Build tag \"" + tag + "\" is not in [BUILDTAGS].",
                                               project_name));
    }
  }
  std::deque<SourceFile> sources;
  std::vector<std::string> source_names;
  for (const std::string& name : project.files) {
    const std::string path = FindInFolders(folder, project.roots, name);
    std::string error = "file not found";
    std::optional<FileBytes> text = path.empty() ? std::nullopt : ReadFileBytes(path, &error);
    if (!text) {
      out.diagnostics.push_back(MakeDiagnostic(
          code::kFileUnreadable, "Cannot read topic file " + name + ": " + PathToSjis(error),
          project_name));
      continue;
    }
    SourceFile& source = sources.emplace_back();
    source.name = name;
    source.bytes = std::move(*text);
    source.text = source.bytes.view();
    if (compiler) compiler->BeginSource(name, source.text);
    CompilingSink sink(source, compiler.get(), filter, out.diagnostics);
    topic::ParseOptions options;
    options.sink = &sink;
    const topic::Document document = topic::ParseDocument(source.text, options);
    tables_changed_late = tables_changed_late || document.tables_changed_late;
    ReportNotes(document, source, out.diagnostics);
    source_names.push_back(name);
    if (out.HasErrors()) compiler.reset();  // nothing will be built
  }

  bool can_build = !out.HasErrors();
  TopicFile topics;
  AssemblyInput assembly_input;
  if (can_build && tables_changed_late) {
    // A font or colour table after the first topic: compile again from whole
    // documents, so that every topic sees the tables as they finally are.
    compiler = std::make_unique<TopicCompiler>(window_names, project.compress);
    for (const SourceFile& source : sources) {
      compiler->BeginSource(source.name, source.text);
      const topic::Document document = topic::ParseDocument(source.text);
      for (const topic::Topic& t : document.topics) {
        if (filter.Includes(BuildTagFilter::TagsOf(t))) compiler->AddTopic(document, t);
      }
    }
  }
  if (can_build) {
    topics = compiler->Finish();
    out.diagnostics.insert(out.diagnostics.end(), topics.diagnostics.begin(),
                           topics.diagnostics.end());
    for (const std::string& picture : topics.pictures) {
      std::vector<std::string> roots = project.bitmap_roots;
      roots.insert(roots.end(), project.roots.begin(), project.roots.end());
      std::string path;
      // [BITMAPS] may name the file with a folder.
      for (const std::string& listed : project.bitmaps) {
        const std::string found = FindInFolders(folder, roots, listed);
        if (!found.empty() &&
            EqualsIgnoreAsciiCase(PathToSjis(FileNameOf(found)),
                                  PathToSjis(FileNameOf(PathFromSjis(picture))))) {
          path = found;
          break;
        }
      }
      if (path.empty()) path = FindInFolders(folder, roots, picture);
      std::optional<std::string> bytes = path.empty() ? std::nullopt : ReadWholeFile(path);
      if (!bytes) {
        out.diagnostics.push_back(PictureDiagnostic(
            code::kMissingPicture, "Picture file not found: " + picture, picture, sources));
        assembly_input.pictures.emplace_back();
        continue;
      }
      PictureResult converted = ConvertPicture(*bytes);
      if (!converted.ok) {
        out.diagnostics.push_back(PictureDiagnostic(
            code::kPictureFormat, picture + ": " + converted.error, picture, sources));
        assembly_input.pictures.emplace_back();
        continue;
      }
      assembly_input.pictures.emplace_back(std::move(converted.data));
    }
    ProjectResources resources = LoadProjectResources(project, folder);
    out.diagnostics.insert(out.diagnostics.end(), resources.diagnostics.begin(),
                           resources.diagnostics.end());
    assembly_input.icon = std::move(resources.icon);
    assembly_input.baggage = std::move(resources.baggage);
  }

  std::size_t size = 0;
  if (can_build) {
    assembly_input.project = &project;
    assembly_input.topics = &topics;
    assembly_input.source_names = source_names;
    assembly_input.generated = request.generated;
    assembly_input.topic_ids = request.topic_ids;
    Assembly assembly = AssembleHelpFile(assembly_input);
    out.diagnostics.insert(out.diagnostics.end(), assembly.diagnostics.begin(),
                           assembly.diagnostics.end());
    if (assembly.file && !out.HasErrors()) {
      // Written piece by piece: the topic text is not copied into one
      // more buffer the size of the whole file.
      const HelpFileBuilder& file = *assembly.file;
      FileResult written = WriteFileAtomicStreamed(
          out.help_file, [&file](const WriteBytes& put) { return file.Write(put); });
      if (written) {
        out.help_file_written = true;
        size = file.size();
        out.help_file_size = size;
      } else {
        out.diagnostics.push_back(MakeDiagnostic(
            code::kWriteFailed,
            "Cannot write " + PathToSjis(out.help_file) + ": " + PathToSjis(written.error),
            project_name));
      }
    }
  }

  // The log goes where ERRORLOG says, else beside the project, where the
  // build's log analysis looks for it.
  std::string log_path = ChangeExtension(request.project_path, ".err");
  if (!project.error_log.empty()) {
    std::string named = PathFromSjis(project.error_log);
    for (char& c : named) {
      if (c == '\\') c = '/';  // after conversion no byte is a trail byte
    }
    // A drive path means nothing here: the log then stays beside the project.
    const bool drive = named.size() >= 2 && named[1] == ':';
    if (!named.empty() && named[0] != '/' && !drive) named = folder + named;
    if (!drive) log_path = named;
  }
  const std::string log = FormatCompilerLog(out.diagnostics, PathToSjis(FileNameOf(out.help_file)),
                                            size, out.help_file_written);
  if (WriteFileAtomic(log_path, log)) out.log_file = log_path;
  return out;
}

}  // namespace qy::hlp
