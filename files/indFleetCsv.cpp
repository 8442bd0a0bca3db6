#include "files/indFleetCsv.h"

namespace indFleetCsv {

namespace {

bool EndOfLine(const std::string& text, size_t& at) {
    if (text[at] == '\n') {
        return true;
    }
    if (text[at] == '\r') {
        if (at + 1 < text.size() && text[at + 1] == '\n') {
            ++at;
        }
        return true;
    }
    return false;
}

}  // namespace

std::vector<std::vector<std::string>> Split(const std::string& text) {
    std::vector<std::vector<std::string>> lines;
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false;
    bool any = false;
    for (size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        any = true;
        if (quoted) {
            if (c == '"' && at + 1 < text.size() && text[at + 1] == '"') {
                field += '"';
                ++at;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.push_back(std::move(field));
            field.clear();
        } else if (EndOfLine(text, at)) {
            fields.push_back(std::move(field));
            field.clear();
            lines.push_back(std::move(fields));
            fields.clear();
            any = false;
        } else {
            field += c;
        }
    }
    if (any) {
        fields.push_back(std::move(field));
        lines.push_back(std::move(fields));
    }
    return lines;
}

std::string Line(const std::vector<std::string>& fields) {
    std::string out;
    for (size_t i = 0; i < fields.size(); ++i) {
        const std::string& f = fields[i];
        if (i > 0) {
            out += ',';
        }
        if (f.find_first_of(",\"\r\n") == std::string::npos) {
            out += f;
            continue;
        }
        out += '"';
        for (char c : f) {
            out += c == '"' ? std::string("\"\"") : std::string(1, c);
        }
        out += '"';
    }
    return out + "\r\n";
}

}  // namespace indFleetCsv
