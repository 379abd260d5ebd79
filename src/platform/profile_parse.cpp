// INI text: reading a value and setting one, line by line.
#include "platform/profile_parse.h"

#include "platform/ascii.h"

namespace platform {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

enum class LineKind { Blank, Comment, Section, Key, Other };

// One line of the file: where its text starts and ends, where the next line
// starts, and what it holds.
struct Line {
  size_t begin = 0, end = 0, next = 0;
  LineKind kind = LineKind::Other;
  std::string_view name;   // section or key name, trimmed
  std::string_view value;  // key value, trimmed
};

Line Classify(std::string_view content, size_t begin, size_t end, size_t next) {
  Line line;
  line.begin = begin;
  line.end = end;
  line.next = next;
  const std::string_view text = Trim(content.substr(begin, end - begin));
  if (text.empty()) {
    line.kind = LineKind::Blank;
  } else if (text.front() == ';') {
    line.kind = LineKind::Comment;
  } else if (text.front() == '[' && text.find(']') != std::string_view::npos) {
    line.kind = LineKind::Section;
    line.name = Trim(text.substr(1, text.find(']') - 1));
  } else if (const size_t eq = text.find('='); eq != std::string_view::npos) {
    line.kind = LineKind::Key;
    line.name = Trim(text.substr(0, eq));
    line.value = Trim(text.substr(eq + 1));
  }
  return line;
}

// Walks the lines one at a time: CR LF, LF and CR all end a line, and a
// last line without an end still counts.
class LineCursor {
 public:
  explicit LineCursor(std::string_view content) : content_(content) {}
  std::optional<Line> next() {
    if (pos_ >= content_.size()) return std::nullopt;
    const size_t begin = pos_;
    size_t end = content_.find_first_of("\r\n", begin);
    if (end == std::string_view::npos) {
      pos_ = end = content_.size();
    } else {
      pos_ = end + 1;
      if (content_[end] == '\r' && pos_ < content_.size() && content_[pos_] == '\n') ++pos_;
    }
    return Classify(content_, begin, end, pos_);
  }

 private:
  std::string_view content_;
  size_t pos_ = 0;
};

std::string_view Unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

// What a pass over the file learns about the first section called section:
// its header, the last non-blank line inside it, and the first line of key.
struct Found {
  std::optional<Line> header, lastFilled, key;
};

Found Scan(std::string_view content, std::string_view section, std::string_view key) {
  Found found;
  LineCursor cursor(content);
  bool inside = false;
  while (const auto line = cursor.next()) {
    if (line->kind == LineKind::Section) {
      if (inside) break;  // the first section of that name is the one
      inside = EqualIgnoringAsciiCase(line->name, section);
      if (inside) found.header = found.lastFilled = *line;
      continue;
    }
    if (!inside) continue;
    if (line->kind != LineKind::Blank) found.lastFilled = *line;
    if (line->kind == LineKind::Key && EqualIgnoringAsciiCase(line->name, key)) {
      found.key = *line;
      break;
    }
  }
  return found;
}

}  // namespace

std::optional<std::string> FindProfileValue(std::string_view content, std::string_view section,
                                            std::string_view key) {
  const Found found = Scan(content, Trim(section), Trim(key));
  if (!found.key) return std::nullopt;
  return std::string(Unquote(found.key->value));
}

std::string SetProfileValue(std::string_view content, std::string_view section,
                            std::string_view key, std::string_view value) {
  section = Trim(section);
  key = Trim(key);
  const Found found = Scan(content, section, key);
  std::string out;
  out.reserve(content.size() + section.size() + key.size() + value.size() + 8);

  if (!found.header) {
    out.append(content);
    if (!content.empty() && content.back() != '\n' && content.back() != '\r') out.append("\r\n");
    out.append("[").append(section).append("]\r\n");
    out.append(key).append("=").append(value).append("\r\n");
    return out;
  }

  if (found.key) {
    // Rewritten in place under the name the file already uses.
    const Line& line = *found.key;
    out.append(content.substr(0, line.begin));
    out.append(line.name).append("=").append(value);
    out.append(content.substr(line.end));
    return out;
  }

  const Line& anchor = *found.lastFilled;
  out.append(content.substr(0, anchor.next));
  if (anchor.next == anchor.end) out.append("\r\n");  // the file's last line had no end
  out.append(key).append("=").append(value).append("\r\n");
  out.append(content.substr(anchor.next));
  return out;
}

bool IsValidProfileName(std::string_view name) {
  name = Trim(name);
  if (name.empty() || name.front() == ';' || name.front() == '[') return false;
  return name.find_first_of(std::string_view("\r\n\0=]", 5)) == std::string_view::npos;
}

}  // namespace platform
