// The temporary files written during a run (preview documents and the files
// of compiled previews), deleted together when the main window closes.
#pragma once

#include <string>
#include <vector>

namespace qy {

class TempFileRegistry {
 public:
  // Enters `file` once; later entries of the same name are ignored.
  void Add(const std::string& file);
  // Enters `file` and the same name with the extensions ".hlp" and ".gid":
  // the help file a compiled preview produces and the file WinHelp keeps
  // beside it once it has shown that help file.
  void AddWithHelpFiles(const std::string& file);

  const std::vector<std::string>& Names() const { return names_; }
  // The names joined by CR LF.
  std::string Text() const;

  // Deletes every entered file that exists and empties the list. A name
  // whose file is gone, is not a plain file or can not be deleted is passed
  // over: nothing here may stop the program from ending. Returns the number
  // of files deleted.
  int DeleteAll();

 private:
  std::vector<std::string> names_;
};

}  // namespace qy
