#include "tools/formtool/json_reader.h"

#include <QJsonArray>
#include <QJsonObject>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <nlohmann/json.hpp>
#include <vector>

namespace formtool {
namespace {

// A form is a few levels deep; far deeper text is refused before its values pile up.
constexpr size_t kDeepest = 200;

// Walks the text for the reader and keeps how far it has read: the reader tells its events, not
// their places.
class CountingIterator {
 public:
  using iterator_category = std::input_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = const char&;

  CountingIterator(const char* at, const char* start, size_t* read) : at_(at), start_(start), read_(read) {}
  reference operator*() const { return *at_; }
  CountingIterator& operator++() {
    ++at_;
    *read_ = static_cast<size_t>(at_ - start_);
    return *this;
  }
  CountingIterator operator++(int) {
    CountingIterator before = *this;
    ++*this;
    return before;
  }
  bool operator==(const CountingIterator& other) const { return at_ == other.at_; }

 private:
  const char* at_;
  const char* start_;
  size_t* read_;
};

// Builds the document's values from the reader's events, refusing a key an object already has.
class ValueBuilder : public nlohmann::json_sax<nlohmann::json> {
 public:
  ValueBuilder(const QByteArray& text, const size_t* read, JsonLines* lines) : text_(text), read_(read), lines_(lines) {}

  bool null() override { return Add(QJsonValue(QJsonValue::Null)); }
  bool boolean(bool value) override { return Add(value); }
  bool number_integer(number_integer_t value) override { return Add(static_cast<qint64>(value)); }
  bool number_unsigned(number_unsigned_t value) override {
    // Beyond the signed range only a double can hold it, as for any JSON reader of Qt's.
    return value <= static_cast<number_unsigned_t>(INT64_MAX) ? Add(static_cast<qint64>(value))
                                                               : Add(static_cast<double>(value));
  }
  bool number_float(number_float_t value, const string_t&) override { return Add(value); }
  bool string(string_t& value) override { return Add(QString::fromStdString(value)); }
  bool binary(binary_t&) override { return Fail(*read_, "binary data is not JSON"); }

  bool start_object(std::size_t) override { return Open(true); }
  bool key(string_t& value) override {
    Frame& frame = frames_.back();
    frame.key = QString::fromStdString(value);
    if (frame.object.contains(frame.key))
      return Fail(KeyStart(), PlaceOf(frame, value) + ": the key \"" + value + "\" is given twice");
    return true;
  }
  bool end_object() override { return Close(); }
  bool start_array(std::size_t) override { return Open(false); }
  bool end_array() override { return Close(); }

  bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& e) override {
    // The reader's message starts with its own name and a place in characters; the place given
    // here counts bytes and lines.
    std::string what = e.what();
    const size_t column = what.find(", column ");
    const size_t colon = column == std::string::npos ? std::string::npos : what.find(": ", column);
    if (colon != std::string::npos) what.erase(0, colon + 2);
    return Fail(position > 0 ? position - 1 : 0, "not valid JSON: " + what);
  }

  QJsonValue Result() const { return root_; }
  const std::string& Error() const { return error_; }

 private:
  struct Frame {
    bool isObject;
    std::string path;
    QJsonObject object;
    QJsonArray array;
    QString key;
  };

  static std::string PlaceOf(const Frame& frame, const std::string& key) {
    return frame.path.empty() ? key : frame.path + "." + key;
  }

  // Where the key just read starts: its opening quote, the last quote before its closing one that
  // no backslash escapes.
  size_t KeyStart() const {
    size_t at = std::min<size_t>(*read_, static_cast<size_t>(text_.size()));
    if (at < 2) return 0;
    for (at -= 2; at > 0; --at) {
      if (text_[at] != '"') continue;
      size_t backslashes = 0;
      while (backslashes < at && text_[at - 1 - backslashes] == '\\') ++backslashes;
      if (backslashes % 2 == 0) break;
    }
    return at;
  }

  std::string ChildPath() const {
    if (frames_.empty()) return {};
    const Frame& frame = frames_.back();
    if (frame.isObject) return PlaceOf(frame, frame.key.toStdString());
    return frame.path + "[" + std::to_string(frame.array.size()) + "]";
  }

  bool Open(bool isObject) {
    if (frames_.size() >= kDeepest) return Fail(*read_, ChildPath() + ": nested deeper than the reader follows");
    frames_.push_back({isObject, ChildPath(), {}, {}, {}});
    if (lines_ != nullptr) (*lines_)[frames_.back().path] = LineAt(*read_);
    return true;
  }

  bool Close() {
    Frame frame = std::move(frames_.back());
    frames_.pop_back();
    return frame.isObject ? Add(std::move(frame.object)) : Add(std::move(frame.array));
  }

  bool Add(QJsonValue value) {
    if (frames_.empty()) root_ = std::move(value);
    else if (frames_.back().isObject) frames_.back().object.insert(frames_.back().key, std::move(value));
    else frames_.back().array.append(std::move(value));
    return true;
  }

  // The line of a byte the reader has reached; the text is read forwards, so the lines are counted
  // on from the last byte asked for.
  int LineAt(size_t offset) {
    const size_t end = std::min<size_t>(offset, static_cast<size_t>(text_.size()));
    if (end > counted_) {
      line_ += static_cast<int>(std::count(text_.constData() + counted_, text_.constData() + end, '\n'));
      counted_ = end;
    }
    return line_;
  }

  // Says where: the line, and the byte offset from the start of the text.
  bool Fail(size_t offset, const std::string& what) {
    const qsizetype end = std::min<qsizetype>(static_cast<qsizetype>(offset), text_.size());
    const auto line = std::count(text_.constData(), text_.constData() + end, '\n') + 1;
    error_ = what + " (line " + std::to_string(line) + ", byte " + std::to_string(offset) + ")";
    return false;
  }

  const QByteArray& text_;
  const size_t* read_;
  JsonLines* lines_;
  size_t counted_ = 0;
  int line_ = 1;
  std::vector<Frame> frames_;
  QJsonValue root_;
  std::string error_;
};

}  // namespace

std::variant<QJsonValue, std::string> ReadJsonText(const QByteArray& text, JsonLines* lines) {
  size_t read = 0;
  ValueBuilder builder(text, &read, lines);
  const char* start = text.constData();
  CountingIterator first(start, start, &read), last(start + text.size(), start, &read);
  if (!nlohmann::json::sax_parse(first, last, &builder)) return builder.Error();
  return builder.Result();
}

}  // namespace formtool
