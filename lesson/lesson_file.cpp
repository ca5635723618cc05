#include "lesson/lesson_file.h"

#include "lesson/byte_text.h"
#include "lesson/lesson_tables.h"
#include "toolkit/line_buffer.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <span>

namespace signova {
namespace {

using Json = nlohmann::json;

constexpr std::string_view Latin1Key = "latin1";
// A quoted value in a message is cut to this many bytes.
constexpr std::size_t QuotedValueLength = 40;

std::string Quoted(const Json& value) {
    std::string text = value.dump(-1, ' ', false, Json::error_handler_t::replace);
    if (text.size() > QuotedValueLength)
        text = text.substr(0, QuotedValueLength) + "...";
    return text;
}

// The line and column (both from 1) of byte `offset`.
std::string LineAndColumn(std::string_view text, std::size_t offset) {
    const std::string_view before = text.substr(0, offset);
    const std::size_t line = static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n')) + 1;
    const std::size_t lineStart = before.rfind('\n');
    const std::size_t column = offset - (lineStart == std::string_view::npos ? 0 : lineStart + 1) + 1;
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// A key as one token of a JSON pointer: "~" as "~0", "/" as "~1".
std::string PointerToken(const std::string& key) {
    std::string token;
    for (const char c : key) {
        if (c == '~')
            token += "~0";
        else if (c == '/')
            token += "~1";
        else
            token += c;
    }
    return token;
}

// Checks the members of a lesson's JSON, one key path at a time, and keeps
// the keys it does not know.
class LessonChecker {
public:
    LessonRead Check(const Json& document);

private:
    [[noreturn]] static void Fail(const std::string& path, const std::string& problem) {
        throw LessonProblem(path + ": " + problem);
    }
    void NoteUnknownKeys(const Json& object, const std::string& path,
                         std::initializer_list<std::string_view> known);
    static const Json* Member(const Json& object, std::string_view key) {
        const auto found = object.find(std::string(key));
        return found == object.end() ? nullptr : &*found;
    }
    static void RequireObject(const Json& value, const std::string& path) {
        if (!value.is_object())
            Fail(path, "an object { ... } is expected");
    }
    static int Integer(const Json& value, const std::string& path, int low, int high);
    static bool Boolean(const Json& value, const std::string& path);
    static std::string Bytes(const Json& value, const std::string& path);
    template <typename Name, std::size_t N>
    static int Choice(const Json& value, const std::string& path, const std::array<Name, N>& names);

    void CheckVersion(const Json& document);
    void ReadSettings(const Json& document, Lesson& lesson);
    void ReadTables(const Json& tables, Lesson& lesson);
    static void ReadFirRows(const Json& rows, const std::string& path, LessonFirTable& table);
    static void ReadIirRows(const Json& rows, const std::string& path, LessonIirTable& table);

    std::vector<std::string> unknownKeys_;
};

int LessonChecker::Integer(const Json& value, const std::string& path, int low, int high) {
    if (!value.is_number_integer())
        Fail(path, "a whole number is expected, not " + Quoted(value));
    // A number above the signed range reads as unsigned.
    const bool inRange =
        value.is_number_unsigned()
            ? value.get<std::uint64_t>() <= static_cast<std::uint64_t>(high) &&
                  static_cast<std::int64_t>(value.get<std::uint64_t>()) >= low
            : value.get<std::int64_t>() >= low && value.get<std::int64_t>() <= high;
    if (!inRange)
        Fail(path, Quoted(value) + " is not between " + std::to_string(low) + " and " +
                       std::to_string(high));
    return static_cast<int>(value.get<std::int64_t>());
}

bool LessonChecker::Boolean(const Json& value, const std::string& path) {
    if (!value.is_boolean())
        Fail(path, "true or false is expected, not " + Quoted(value));
    return value.get<bool>();
}

std::string LessonChecker::Bytes(const Json& value, const std::string& path) {
    if (value.is_string())
        return value.get<std::string>();
    if (value.is_object() && value.size() == 1 && value.contains(std::string(Latin1Key)) &&
        value.front().is_string()) {
        std::optional<std::string> bytes = Utf8AsLatin1(value.front().get<std::string>());
        if (!bytes)
            Fail(path + "/" + std::string(Latin1Key),
                 "a character above U+00FF cannot stand for a byte");
        return std::move(*bytes);
    }
    Fail(path, "a text is expected (a string, or {\"latin1\": \"...\"}), not " + Quoted(value));
}

template <typename Name, std::size_t N>
int LessonChecker::Choice(const Json& value, const std::string& path,
                          const std::array<Name, N>& names) {
    std::string list;
    for (std::size_t i = 0; i < N; ++i) {
        if (value == Json(names[i]))
            return static_cast<int>(i);
        Json name(names[i]);
        list += (i == 0 ? "" : (i + 1 == N ? " or " : ", ")) + name.dump();
    }
    Fail(path, Quoted(value) + " is none of " + list);
}

void LessonChecker::NoteUnknownKeys(const Json& object, const std::string& path,
                                    std::initializer_list<std::string_view> known) {
    for (const auto& [key, value] : object.items()) {
        (void)value;
        if (std::find(known.begin(), known.end(), key) == known.end())
            unknownKeys_.push_back(path + "/" + PointerToken(key));
    }
}

void LessonChecker::CheckVersion(const Json& document) {
    const std::string path = "/" + std::string(LessonFormatKey);
    const Json* version = Member(document, LessonFormatKey);
    if (version == nullptr)
        throw LessonProblem("not a SIGNOVA lesson: the key \"signova_lesson\" is missing");
    const std::string text = version->is_string() ? version->get<std::string>() : std::string();
    int major = 0;
    int minor = 0;
    const char* end = text.data() + text.size();
    const auto [afterMajor, majorError] = std::from_chars(text.data(), end, major);
    const bool wellFormed = majorError == std::errc() && afterMajor != end && *afterMajor == '.' &&
                            std::from_chars(afterMajor + 1, end, minor).ptr == end &&
                            afterMajor + 1 != end && text.front() != '-' && afterMajor[1] != '-';
    if (!wellFormed)
        Fail(path, Quoted(*version) + " is not a version \"major.minor\"");
    if (major != LessonMajorVersion)
        Fail(path, "version " + text + " of the lesson format; this program opens version " +
                       std::to_string(LessonMajorVersion) + ".x");
}

void LessonChecker::ReadSettings(const Json& document, Lesson& lesson) {
    if (const Json* v = Member(document, "notes"))
        lesson.notes = Bytes(*v, "/notes");
    if (const Json* v = Member(document, "page"))
        lesson.page = static_cast<LessonPage>(Choice(*v, "/page", LessonPageNames));
    if (const Json* v = Member(document, "range"))
        lesson.rangeButton = Choice(*v, "/range", LessonRangeNames);
    if (const Json* v = Member(document, "dial"))
        lesson.dial = Integer(*v, "/dial", 900, 11000);
    if (const Json* v = Member(document, "waveform"))
        lesson.waveform = Choice(*v, "/waveform", LessonWaveformNames) + SineWave;
    if (const Json* v = Member(document, "amp"))
        lesson.amp = Integer(*v, "/amp", 1, 200);
    if (const Json* v = Member(document, "gain"))
        lesson.gain = Integer(*v, "/gain", 0, 200);
    if (const Json* v = Member(document, "bits"))
        lesson.bits = LessonBits[static_cast<std::size_t>(Choice(*v, "/bits", LessonBits))];
    if (const Json* v = Member(document, "sample_rate"))
        lesson.sampleRate = LessonSampleRates[static_cast<std::size_t>(
            Choice(*v, "/sample_rate", LessonSampleRates))];
    if (const Json* v = Member(document, "timebase_item"))
        lesson.timebaseItem = Integer(*v, "/timebase_item", 0, 1);
    if (const Json* v = Member(document, "input"))
        lesson.inputItem = Choice(*v, "/input", LessonInputNames);
    if (const Json* v = Member(document, "filter"))
        lesson.filter = Boolean(*v, "/filter");
    if (const Json* v = Member(document, "file_title"))
        lesson.fileTitle = Bytes(*v, "/file_title");
    if (const Json* views = Member(document, "views")) {
        RequireObject(*views, "/views");
        if (const Json* v = Member(*views, "response"))
            lesson.response =
                static_cast<LessonResponse>(Choice(*v, "/views/response", LessonResponseNames));
        if (const Json* v = Member(*views, "spectrum"))
            lesson.spectrum = Boolean(*v, "/views/spectrum");
        NoteUnknownKeys(*views, "/views", {"response", "spectrum"});
    }
}

void LessonChecker::ReadFirRows(const Json& rows, const std::string& path, LessonFirTable& table) {
    if (!rows.is_array())
        Fail(path, "an array of rows [ ... ] is expected");
    if (rows.empty())
        Fail(path, "a table has at least one row");
    if (rows.size() > static_cast<std::size_t>(FirCoefficientCount))
        Fail(path, "more than " + std::to_string(FirCoefficientCount) + " rows (" +
                       std::to_string(rows.size()) + ")");
    table.rows.clear();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string rowPath = path + "/" + std::to_string(i);
        if (!rows[i].is_array() || rows[i].size() != 2)
            Fail(rowPath, "a row of two cells [\"label\", \"value\"] is expected");
        table.rows.push_back({Bytes(rows[i][0], rowPath + "/0"), Bytes(rows[i][1], rowPath + "/1")});
    }
}

void LessonChecker::ReadIirRows(const Json& rows, const std::string& path, LessonIirTable& table) {
    if (!rows.is_array())
        Fail(path, "an array of rows [ ... ] is expected");
    if (rows.empty())
        Fail(path, "a table has at least one coefficient row");
    if (rows.size() > static_cast<std::size_t>(IirCoefficientCount))
        Fail(path, "more than " + std::to_string(IirCoefficientCount) + " coefficient rows (" +
                       std::to_string(rows.size()) + ")");
    table.rows.clear();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string rowPath = path + "/" + std::to_string(i);
        if (!rows[i].is_array() || rows[i].size() != 3)
            Fail(rowPath, "a row of three cells [\"index\", \"a\", \"b\"] is expected");
        table.rows.push_back({Bytes(rows[i][0], rowPath + "/0"), Bytes(rows[i][1], rowPath + "/1"),
                              Bytes(rows[i][2], rowPath + "/2")});
    }
}

void LessonChecker::ReadTables(const Json& tables, Lesson& lesson) {
    RequireObject(tables, "/tables");
    if (const Json* fir = Member(tables, "fir")) {
        RequireObject(*fir, "/tables/fir");
        if (const Json* v = Member(*fir, "title"))
            lesson.firTitle = Bytes(*v, "/tables/fir/title");
        if (const Json* v = Member(*fir, "rows"))
            ReadFirRows(*v, "/tables/fir/rows", lesson.fir);
        if (const Json* v = Member(*fir, "beyond")) {
            if (!v->is_array())
                Fail("/tables/fir/beyond", "an array of value cells [ ... ] is expected");
            lesson.fir.beyond.clear();
            for (std::size_t i = 0; i < v->size(); ++i) {
                const std::string cellPath = "/tables/fir/beyond/" + std::to_string(i);
                std::string value = Bytes((*v)[i], cellPath);
                if (value.empty())
                    Fail(cellPath, "an empty cell ends the values; leave it out");
                lesson.fir.beyond.push_back(std::move(value));
                if (i >= static_cast<std::size_t>(FirCoefficientCount))
                    break; // reported below, as more than 300 values
            }
        }
        if (!lesson.fir.beyond.empty() &&
            FirValueCount(lesson.fir) < static_cast<int>(lesson.fir.rows.size()))
            Fail("/tables/fir/beyond",
                 "the filter never reads beyond the rows, which hold an empty value cell");
        const int values =
            FirValueCount(lesson.fir) +
            (lesson.fir.beyond.size() > static_cast<std::size_t>(FirCoefficientCount) ? 1 : 0);
        if (values > FirCoefficientCount)
            Fail("/tables/fir", "more than " + std::to_string(FirCoefficientCount) +
                                    " values for the filter");
        NoteUnknownKeys(*fir, "/tables/fir", {"title", "rows", "beyond"});
    }
    if (const Json* iir = Member(tables, "iir")) {
        RequireObject(*iir, "/tables/iir");
        if (const Json* v = Member(*iir, "title"))
            lesson.iirTitle = Bytes(*v, "/tables/iir/title");
        if (const Json* v = Member(*iir, "rows"))
            ReadIirRows(*v, "/tables/iir/rows", lesson.iir);
        NoteUnknownKeys(*iir, "/tables/iir", {"title", "rows"});
    }
    NoteUnknownKeys(tables, "/tables", {"fir", "iir"});
}

LessonRead LessonChecker::Check(const Json& document) {
    if (!document.is_object())
        throw LessonProblem("not a SIGNOVA lesson: the file is no JSON object");
    CheckVersion(document);
    LessonRead read;
    read.lesson = StartUpLesson();
    ReadSettings(document, read.lesson);
    if (const Json* tables = Member(document, "tables"))
        ReadTables(*tables, read.lesson);
    NoteUnknownKeys(document, "",
                    {LessonFormatKey, "notes", "page", "range", "dial", "waveform", "amp", "gain",
                     "bits", "sample_rate", "timebase_item", "input", "filter", "views",
                     "file_title", "tables"});
    read.unknownKeys = std::move(unknownKeys_);
    return read;
}

// The parser's own message from "parse error at line ..." on, without the
// text it last read (which may be megabytes long).
std::string ParseErrorText(const Json::parse_error& error) {
    std::string text = error.what();
    const std::size_t start = text.find("parse error");
    if (start != std::string::npos)
        text.erase(0, start);
    const std::size_t lastRead = text.find("; last read");
    if (lastRead != std::string::npos)
        text.erase(lastRead);
    return text;
}

// ---- writing ---------------------------------------------------------------

std::string Dumped(const Json& value) {
    return value.dump(-1, ' ', false, Json::error_handler_t::strict);
}

// A byte string as a JSON value: a string when it is UTF-8, else the bytes as
// Latin-1 characters under "latin1".
std::string BytesValue(const std::string& bytes) {
    if (IsUtf8(bytes))
        return Dumped(Json(bytes));
    return "{\"latin1\": " + Dumped(Json(Latin1AsUtf8(bytes))) + "}";
}

template <typename Row> std::string RowsText(const std::vector<Row>& rows) {
    if (rows.empty())
        return "[]";
    std::string text = "[\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        text += "        [";
        for (std::size_t cell = 0; cell < rows[i].size(); ++cell)
            text += (cell == 0 ? "" : ", ") + BytesValue(rows[i][cell]);
        text += i + 1 < rows.size() ? "],\n" : "]\n";
    }
    return text + "      ]";
}

std::string ValuesText(const std::vector<std::string>& values) {
    std::string text = "[";
    for (std::size_t i = 0; i < values.size(); ++i)
        text += (i == 0 ? "" : ", ") + BytesValue(values[i]);
    return text + "]";
}

std::string Name(std::string_view name) {
    return Dumped(Json(std::string(name)));
}

} // namespace

LessonError::LessonError(std::string_view path, std::string_view problem)
    : FileNamingError("Cannot open lesson " + std::string(path) + ": " + std::string(problem)) {}

bool NamesLessonFormat(std::string_view firstLine) {
    const std::size_t start = firstLine.find_first_not_of(" \t");
    return start != std::string_view::npos && firstLine[start] == '{' &&
           firstLine.find("\"signova_lesson\"") != std::string_view::npos;
}

LessonRead ParseLesson(std::string_view text) {
    const std::string_view firstLine = text.substr(0, text.find('\n'));
    if (!NamesLessonFormat(firstLine))
        throw LessonProblem(
            "not a SIGNOVA lesson: its first line does not name the lesson format");
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos)
        throw LessonProblem("a NUL byte at " + LineAndColumn(text, nul));
    Json document;
    try {
        document = Json::parse(text.begin(), text.end());
    } catch (const Json::parse_error& error) {
        throw LessonProblem(ParseErrorText(error));
    } catch (const Json::out_of_range&) {
        // The reader refuses a number beyond a double's range ("1e999")
        // while it parses, before a position is known.
        throw LessonProblem("a number beyond the range of a double");
    }
    return LessonChecker().Check(document);
}

LessonRead ReadLessonFile(const std::string& path) {
    std::string contents;
    try {
        if (ReadWholeFile(path, contents, MaxLessonFileSize) == FileReadResult::TooLarge)
            throw LessonError(path, "the file is larger than 128 MiB");
    } catch (const FileOpenError&) {
        throw LessonError(path, "it is no regular file that can be read");
    }
    try {
        return ParseLesson(contents);
    } catch (const LessonProblem& problem) {
        throw LessonError(path, problem.Text());
    }
}

std::string LessonText(const Lesson& lesson) {
    std::string text = "{" + Name(LessonFormatKey) + ": \"" + std::to_string(LessonMajorVersion) +
                       "." + std::to_string(LessonMinorVersion) + "\",\n";
    const auto member = [&text](std::string_view key, const std::string& value) {
        text += "  " + Name(key) + ": " + value + ",\n";
    };
    const auto index = [](auto value) { return static_cast<std::size_t>(value); };
    member("notes", BytesValue(lesson.notes));
    member("page", Name(LessonPageNames[index(lesson.page)]));
    member("range", Name(LessonRangeNames[index(lesson.rangeButton)]));
    member("dial", std::to_string(lesson.dial));
    member("waveform", Name(LessonWaveformNames[index(lesson.waveform - SineWave)]));
    member("amp", std::to_string(lesson.amp));
    member("gain", std::to_string(lesson.gain));
    member("bits", std::to_string(lesson.bits));
    member("sample_rate", std::to_string(lesson.sampleRate));
    member("timebase_item", std::to_string(lesson.timebaseItem));
    member("input", Name(LessonInputNames[index(lesson.inputItem)]));
    member("filter", lesson.filter ? "true" : "false");
    member("views", "{\"response\": " + Name(LessonResponseNames[index(lesson.response)]) +
                        ", \"spectrum\": " + (lesson.spectrum ? "true" : "false") + "}");
    member("file_title", BytesValue(lesson.fileTitle));
    text += "  \"tables\": {\n";
    text += "    \"fir\": {\n";
    text += "      \"title\": " + BytesValue(lesson.firTitle) + ",\n";
    text += "      \"rows\": " + RowsText(lesson.fir.rows) + ",\n";
    text += "      \"beyond\": " + ValuesText(lesson.fir.beyond) + "\n";
    text += "    },\n";
    text += "    \"iir\": {\n";
    text += "      \"title\": " + BytesValue(lesson.iirTitle) + ",\n";
    text += "      \"rows\": " + RowsText(lesson.iir.rows) + "\n";
    text += "    }\n";
    text += "  }\n}\n";
    return text;
}

} // namespace signova
