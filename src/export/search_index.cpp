#include "export/search_index.h"

#include <algorithm>
#include <cstdio>

namespace qy::help_export {

namespace {

std::u32string DecodeUtf8(std::string_view s) {
  std::u32string out;
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    int extra = c < 0x80 ? 0 : c >= 0xf0 ? 3 : c >= 0xe0 ? 2 : c >= 0xc0 ? 1 : -1;
    if (extra < 0 || (extra > 0 && i + static_cast<std::size_t>(extra) >= s.size())) {
      out += U'\uFFFD';
      ++i;
      continue;
    }
    char32_t cp = extra == 0 ? c : c & (0x3f >> extra);
    for (int k = 1; k <= extra; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3f);
    out += cp;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

bool IsSeparator(char32_t c) {
  if (c < 0x80)
    return !((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'));
  // CJK punctuation and blanks, full-width forms of ASCII punctuation.
  if (c >= 0x3000 && c <= 0x3003) return true;
  if (c >= 0x3008 && c <= 0x3011) return true;
  if (c == 0x30FB) return true;  // middle dot
  if (c >= 0xFF01 && c <= 0xFF5E) {
    const char32_t a = c - 0xFEE0;
    return !((a >= '0' && a <= '9') || (a >= 'a' && a <= 'z') || (a >= 'A' && a <= 'Z'));
  }
  return c == 0xFEFF;
}

char32_t Fold(char32_t c) {
  if (c >= 0xFF01 && c <= 0xFF5E) c -= 0xFEE0;
  if (c >= 'A' && c <= 'Z') c += 32;
  return c;
}

void AppendJsString(std::string& out, const std::u32string& text) {
  out += '"';
  for (char32_t c : text) {
    if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\' && c != '<' && c != '>') {
      out += static_cast<char>(c);
      continue;
    }
    auto unit = [&out](unsigned u) {
      char buffer[16];
      std::snprintf(buffer, sizeof buffer, "\\u%04x", u);
      out += buffer;
    };
    if (c >= 0x10000) {
      unit(0xD800 + ((c - 0x10000) >> 10));
      unit(0xDC00 + ((c - 0x10000) & 0x3ff));
    } else {
      unit(c);
    }
  }
  out += '"';
}

}  // namespace

std::string JsString(std::string_view utf8) {
  std::string out;
  AppendJsString(out, DecodeUtf8(utf8));
  return out;
}

std::vector<std::u32string> SearchRuns(std::string_view utf8) {
  std::vector<std::u32string> runs;
  std::u32string run;
  for (char32_t c : DecodeUtf8(utf8)) {
    if (IsSeparator(c)) {
      if (!run.empty()) runs.push_back(std::move(run));
      run.clear();
    } else {
      run += Fold(c);
    }
  }
  if (!run.empty()) runs.push_back(std::move(run));
  return runs;
}

std::vector<std::u32string> SearchKeys(const std::u32string& run) {
  if (run.size() == 1) return {run};
  std::vector<std::u32string> keys;
  for (std::size_t i = 0; i + 1 < run.size(); ++i) keys.push_back(run.substr(i, 2));
  return keys;
}

void SearchIndex::AddPage(const std::string& file, const std::string& title,
                          std::string_view text) {
  const int page = static_cast<int>(pages_.size());
  pages_.push_back({file, title});
  std::string all = title + "\n";
  all += text;
  for (const std::u32string& run : SearchRuns(all)) {
    // A one-character run is indexed too, so a one-character query finds it.
    std::vector<std::u32string> keys = SearchKeys(run);
    if (run.size() > 1) {
      for (char32_t c : run) keys.emplace_back(1, c);
    }
    for (const std::u32string& key : keys) {
      auto& postings = keys_[key];
      if (!postings.empty() && postings.back().first == page) {
        ++postings.back().second;
      } else {
        postings.emplace_back(page, 1);
      }
    }
  }
}

std::vector<int> SearchIndex::Search(std::string_view query) const {
  std::vector<int> score(pages_.size(), 0);
  std::vector<int> matched(pages_.size(), 0);
  int wanted = 0;
  for (const std::u32string& run : SearchRuns(query)) {
    for (const std::u32string& key : SearchKeys(run)) {
      ++wanted;
      auto it = keys_.find(key);
      if (it == keys_.end()) return {};
      for (const auto& [page, count] : it->second) {
        ++matched[static_cast<std::size_t>(page)];
        score[static_cast<std::size_t>(page)] += count;
      }
    }
  }
  std::vector<int> hits;
  if (wanted == 0) return hits;
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    if (matched[i] == wanted) hits.push_back(static_cast<int>(i));
  }
  std::stable_sort(hits.begin(), hits.end(), [&score](int a, int b) {
    return score[static_cast<std::size_t>(a)] > score[static_cast<std::size_t>(b)];
  });
  return hits;
}

std::string SearchIndex::Script() const {
  std::string out = "var qySearchPages=[";
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    if (i) out += ',';
    out += '[';
    AppendJsString(out, DecodeUtf8(pages_[i].file));
    out += ',';
    AppendJsString(out, DecodeUtf8(pages_[i].title));
    out += ']';
  }
  out += "];\nvar qySearchIndex={";
  bool first = true;
  for (const auto& [key, postings] : keys_) {
    if (!first) out += ",\n";
    first = false;
    AppendJsString(out, key);
    out += ":\"";
    for (std::size_t i = 0; i < postings.size(); ++i) {
      if (i) out += ' ';
      out += std::to_string(postings[i].first) + ':' + std::to_string(postings[i].second);
    }
    out += '"';
  }
  out += "};\n";
  return out;
}

}  // namespace qy::help_export
