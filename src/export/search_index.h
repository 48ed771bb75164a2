// The site's full-text search: character bigrams, which find Japanese words
// without a dictionary, counted per page at export time and written as a
// script file so the search also works from file:// and inside a CHM.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qy::help_export {

// The text as the index and the search page see it: ASCII letters lowered,
// full-width ASCII made half-width, blanks and punctuation splitting it into
// runs. Code points.
std::vector<std::u32string> SearchRuns(std::string_view utf8);

// The keys of a run: its bigrams, or the run itself when it is one
// character.
std::vector<std::u32string> SearchKeys(const std::u32string& run);

// A JavaScript string literal of UTF-8 text, every non-ASCII character and
// every character that could end a script element written as \uXXXX.
std::string JsString(std::string_view utf8);

class SearchIndex {
 public:
  // `title` and `text` UTF-8; pages are numbered in the order added.
  void AddPage(const std::string& file, const std::string& title, std::string_view text);

  // Pages holding every key of `query`, best first (most occurrences; ties
  // in page order). What the search page's script does, for tests.
  std::vector<int> Search(std::string_view query) const;

  // "var qySearchPages=[...];var qySearchIndex={...};" with every non-ASCII
  // character as \uXXXX, so the file reads the same in any page encoding.
  std::string Script() const;

 private:
  struct Entry {
    std::string file;
    std::string title;
  };
  std::vector<Entry> pages_;
  // key -> (page, count) in page order
  std::map<std::u32string, std::vector<std::pair<int, int>>> keys_;
};

}  // namespace qy::help_export
