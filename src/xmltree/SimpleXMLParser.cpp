// Parsing documents into the element tree, over expat. The hardening policy
// (docs/xml-parser-policy.md): documents come from anywhere, including files
// a file manager thumbnails without asking, so the parser reads only plain
// elements, attributes and text.
#define XML_DTD  // declares the DTD-related switches below; we use them to turn the DTD off
#include <expat.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "xmltree/XML.h"

#define XMLTREE_EXPAT_AT_LEAST(major, minor, micro)                           \
  (XML_MAJOR_VERSION * 10000 + XML_MINOR_VERSION * 100 + XML_MICRO_VERSION >= \
   (major)*10000 + (minor)*100 + (micro))

namespace xmltree {

namespace {

std::function<void(std::string_view)>& errorSink() {
  static std::function<void(std::string_view)> sink;
  return sink;
}

void report(std::string_view line) {
  if (const auto& sink = errorSink()) {
    sink(line);
    return;
  }
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

// Documents past 2 GiB are refused before parsing: a tree for a document that
// size would not fit in memory anyway, and expat counts positions in ints.
constexpr std::size_t kMaxDocumentBytes = INT_MAX;

// How much of the document expat is given at a time.
constexpr std::size_t kSliceBytes = 64 * 1024;

}  // namespace

void setParseErrorSink(std::function<void(std::string_view line)> sink) {
  errorSink() = std::move(sink);
}

// The parser's delegate, alive for one fromData call.
class SimpleXMLParser {
 public:
  explicit SimpleXMLParser(std::string_view data) : data_(data) {}
  SimpleXMLParser(std::string_view data, const XML::HandOver& handOver, const XML::ElementHandler& handler)
      : data_(data),
        handOver_(&handOver),
        handler_(&handler),
        pathTaken_(handOver.parentPath.size(), false) {}

  XMLPtr parse() {
    if (data_.size() > kMaxDocumentBytes) return fail("document larger than 2 GiB");
    // Plain parser: no namespace processing, element names keep their prefixes.
    parser_ = XML_ParserCreate(nullptr);
    if (!parser_) return fail("out of memory");
    XML_SetUserData(parser_, this);
    XML_SetElementHandler(parser_, onStart, onEnd);
    XML_SetCharacterDataHandler(parser_, onCharacters);
    // The tree has no place for CDATA sections: like comments and processing
    // instructions, they add nothing to it.
    XML_SetCdataSectionHandler(parser_, onCdataStart, onCdataEnd);
    XML_SetStartDoctypeDeclHandler(parser_, onDoctype);
    XML_SetEntityDeclHandler(parser_, onEntityDeclaration);
    XML_SetExternalEntityRefHandler(parser_, onExternalEntity);
    XML_SetParamEntityParsing(parser_, XML_PARAM_ENTITY_PARSING_NEVER);
#if XMLTREE_EXPAT_AT_LEAST(2, 4, 0)
    // Unreachable while document types are refused; kept as a second line.
    XML_SetBillionLaughsAttackProtectionMaximumAmplification(parser_, 100.0f);
    XML_SetBillionLaughsAttackProtectionActivationThreshold(parser_, 8u * 1024u * 1024u);
#endif

    // In slices: expat copies what it is given into its own buffer, and one
    // call with the whole document would double the document in memory.
    XML_Status status = XML_STATUS_OK;
    std::size_t offset = 0;
    do {
      const std::size_t length = std::min(kSliceBytes, data_.size() - offset);
      const bool last = offset + length == data_.size();
      status =
          XML_Parse(parser_, data_.data() + offset, static_cast<int>(length), last ? XML_TRUE : XML_FALSE);
      offset += length;
    } while (status == XML_STATUS_OK && offset < data_.size());
    if (status != XML_STATUS_OK && !parseError_) {
      const XML_Error code = XML_GetErrorCode(parser_);
      parseError_ = "xml parse error: " + std::string(XML_ErrorString(code)) + " (line " +
                    std::to_string(XML_GetCurrentLineNumber(parser_)) + ", column " +
                    std::to_string(XML_GetCurrentColumnNumber(parser_)) + ")";
      failure_ = XML::ParseFailure{XML_ErrorString(code), currentLine(), currentColumn()};
    }
    XML_ParserFree(parser_);
    parser_ = nullptr;

    if (parseError_) {
      report(*parseError_);
      return nullptr;
    }
    // The root was never added to anything, so it is already a fresh, parentless root.
    return std::move(root_);
  }

  // After parse(): why and where the document was found not well formed.
  std::optional<XML::ParseFailure>& failure() {
    return failure_;
  }
  // Before parse(): every element gets its start position.
  void recordPositions() {
    recordPositions_ = true;
  }

 private:
  static SimpleXMLParser& self(void* userData) {
    return *static_cast<SimpleXMLParser*>(userData);
  }

  // Stops the parser with our own reason; it replaces expat's "parsing aborted".
  void refuse(std::string reason) {
    if (!parseError_) {
      parseError_ = "xml parse error: " + reason;
      failure_ = XML::ParseFailure{std::move(reason), currentLine(), currentColumn()};
    }
    XML_StopParser(parser_, XML_FALSE);
  }

  // Before the parser runs: the reason is reported and the document is absent.
  XMLPtr fail(std::string reason) {
    report("xml parse error: " + reason);
    failure_ = XML::ParseFailure{std::move(reason), 1, 1};
    return nullptr;
  }

  // Where the event being handled (or the error) is. Expat counts lines from
  // 1 and columns from 0 in characters, the byte order mark included: the
  // first line's columns are shifted back over it.
  std::uint32_t currentLine() const {
    return static_cast<std::uint32_t>(XML_GetCurrentLineNumber(parser_));
  }
  std::uint32_t currentColumn() const {
    const auto column = static_cast<std::uint32_t>(XML_GetCurrentColumnNumber(parser_)) + 1;
    return column > 1 && startsWithByteOrderMark_ && currentLine() == 1 ? column - 1 : column;
  }

  static void XMLCALL onStart(void* userData, const XML_Char* name, const XML_Char** attributes) {
    SimpleXMLParser& parser = self(userData);
    if (parser.parseError_) return;
    if (parser.open_.size() >= static_cast<std::size_t>(kMaxElementDepth)) {
      parser.refuse("elements nested deeper than " + std::to_string(kMaxElementDepth) + " levels (line " +
                    std::to_string(XML_GetCurrentLineNumber(parser.parser_)) + ")");
      return;
    }
    XMLPtr element = std::make_shared<XML>(XML::PrivateTag{}, name);
    if (parser.recordPositions_) {
      element->sourceLine_ = parser.currentLine();
      element->sourceColumn_ = parser.currentColumn();
    }
    if (attributes[0]) {
      // Most elements have none, and an empty map allocates nothing.
      std::size_t count = 0;
      while (attributes[2 * count]) ++count;
      element->attributes_.reserve(count);
      for (std::size_t i = 0; i < count; ++i)
        element->attributes_.insert_or_assign(attributes[2 * i], attributes[2 * i + 1]);
    }

    XML* raw = element.get();
    if (!parser.root_) {
      parser.root_ = std::move(element);
    } else {
      // addChild without its checks and reference count traffic: the element is new.
      XML& parent = *parser.open_.back();
      element->parent_ = parent.weak_from_this();
      parent.children_.push_back(std::move(element));
    }
    parser.open_.push_back(raw);
    if (parser.handler_) {
      const std::uint8_t role = parser.roleOfOpened(name);
      parser.roles_.push_back(role);
      if (role & kHandedOver) ++parser.handedOverOpen_;
    }
  }

  // What a newly opened element is to the hand-over, from its parent's role.
  std::uint8_t roleOfOpened(const XML_Char* name) {
    const std::size_t depth = open_.size() - 1;  // the root is at depth 0
    const auto& path = handOver_->parentPath;
    if (depth == 0) return path.empty() ? kHandsOver : kOnPath;
    const std::uint8_t parent = roles_.back();
    if (parent & kHandsOver) {
      const bool nests = !handOver_->nestingName.empty() && handOver_->nestingName == name;
      return nests ? (kHandedOver | kHandsOver) : kHandedOver;
    }
    if (parent != kOnPath) return kOrdinary;
    // Only the first element of the step's name at its place continues the path.
    const std::size_t step = depth - 1;
    if (pathTaken_[step] || path[step] != name) return kOrdinary;
    pathTaken_[step] = true;
    return depth == path.size() ? kHandsOver : kOnPath;
  }

  static void XMLCALL onEnd(void* userData, const XML_Char*) {
    SimpleXMLParser& parser = self(userData);
    if (parser.open_.empty()) return;
    if (parser.handler_) {
      if (parser.roles_.back() & kHandedOver) {
        --parser.handedOverOpen_;
        if (!parser.parseError_) parser.handOverClosed();
      }
      parser.roles_.pop_back();
    }
    parser.open_.pop_back();
  }

  // Hands the element being closed over; it is its parent's last child, as
  // the most recently opened one.
  void handOverClosed() {
    // The handed-over elements still open are exactly this one's nesting ancestors.
    const std::size_t level = handedOverOpen_;
    XML& parent = *open_[open_.size() - 2];
    if ((*handler_)(parent.children_.back(), level)) parent.children_.pop_back();
  }

  static void XMLCALL onCharacters(void* userData, const XML_Char* text, int length) {
    SimpleXMLParser& parser = self(userData);
    if (parser.open_.empty() || parser.parseError_ || parser.inCdata_) return;
    // Appending keeps a long text, delivered in many pieces, linear.
    std::optional<std::string>& value = parser.open_.back()->value_;
    if (value)
      value->append(text, static_cast<std::size_t>(length));
    else
      value.emplace(text, static_cast<std::size_t>(length));
  }

  static void XMLCALL onCdataStart(void* userData) {
    self(userData).inCdata_ = true;
  }
  static void XMLCALL onCdataEnd(void* userData) {
    self(userData).inCdata_ = false;
  }

  static void XMLCALL onDoctype(void* userData, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    self(userData).refuse("document type declarations are not allowed");
  }

  static void XMLCALL onEntityDeclaration(void* userData, const XML_Char*, int, const XML_Char*, int,
                                          const XML_Char*, const XML_Char*, const XML_Char*,
                                          const XML_Char*) {
    self(userData).refuse("entity declarations are not allowed");
  }

  static int XMLCALL onExternalEntity(XML_Parser parser, const XML_Char*, const XML_Char*, const XML_Char*,
                                      const XML_Char*) {
    // Never load anything from outside the document; failing here makes the whole parse fail.
    (void)parser;
    return XML_STATUS_ERROR;
  }

  std::string_view data_;
  bool startsWithByteOrderMark_ =
      data_.starts_with("\xEF\xBB\xBF") || data_.starts_with("\xFF\xFE") || data_.starts_with("\xFE\xFF");
  XML_Parser parser_ = nullptr;
  XMLPtr root_;
  std::vector<XML*> open_;  // the open elements; back() is the current element
  std::optional<std::string> parseError_;
  std::optional<XML::ParseFailure> failure_;
  bool recordPositions_ = false;
  bool inCdata_ = false;
  // Streaming only: what to hand over and to whom, which steps of the path an
  // element has already taken (later ones of the same name are ordinary), and
  // the role of each open element, parallel to open_.
  static constexpr std::uint8_t kOrdinary = 0;
  static constexpr std::uint8_t kOnPath = 1;      // a step of the path before its end
  static constexpr std::uint8_t kHandsOver = 2;   // its children are handed over
  static constexpr std::uint8_t kHandedOver = 4;  // handed over when it closes
  const XML::HandOver* handOver_ = nullptr;
  const XML::ElementHandler* handler_ = nullptr;
  std::vector<bool> pathTaken_;
  std::vector<std::uint8_t> roles_;
  std::size_t handedOverOpen_ = 0;  // open elements that are handed over when they close
};

XMLPtr XML::fromData(std::string_view bytes) {
  return SimpleXMLParser(bytes).parse();
}

XMLPtr XML::fromData(std::string_view bytes, const HandOver& handOver, const ElementHandler& handler) {
  if (!handler) return fromData(bytes);
  return SimpleXMLParser(bytes, handOver, handler).parse();
}

XMLPtr XML::fromData(std::string_view bytes, const HandOver& handOver, const ElementHandler& handler,
                     std::optional<ParseFailure>& failure) {
  SimpleXMLParser parser = handler ? SimpleXMLParser(bytes, handOver, handler) : SimpleXMLParser(bytes);
  parser.recordPositions();
  XMLPtr root = parser.parse();
  if (parser.failure()) failure = std::move(parser.failure());
  return root;
}

XMLPtr XML::fromURL(const std::string& path) {
  const auto fail = [&path](int error) -> XMLPtr {
    report("cannot read '" + path + "': " + std::strerror(error));
    return nullptr;
  };
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return fail(errno);
  std::string bytes;
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
    bytes.reserve(static_cast<std::size_t>(std::min<off_t>(info.st_size, kMaxDocumentBytes + 1)));
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      return fail(error);
    }
    bytes.append(buffer, static_cast<std::size_t>(n));
    // Stop reading an endless source (a device, a pipe) once it is too large to parse.
    if (bytes.size() > kMaxDocumentBytes) break;
  }
  ::close(fd);
  return fromData(bytes);
}

XMLPtr XML::fromNamed(const std::string& name) {
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) return nullptr;
  const char* overridden = std::getenv("TAVLO_RESOURCE_DIR");
  const std::string directory = overridden && *overridden ? overridden : TAVLO_DATA_DIR;
  struct stat info {};
  if (::stat(directory.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return nullptr;
  return fromURL(directory + "/" + name);
}

}  // namespace xmltree
