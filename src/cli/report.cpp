#include "cli/report.hpp"

#include <cmath>
#include <string_view>

#include "cli/json_writer.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

namespace {
// How text output writes a value that is not a number, as JSON does.
constexpr std::string_view kNull = "null";
}  // namespace

ReportNode ReportNode::text(std::string value) {
    ReportNode node(Kind::Text);
    node.text_ = std::move(value);
    return node;
}

ReportNode ReportNode::number(double value) {
    ReportNode node(Kind::Number);
    node.number_ = value;
    return node;
}

ReportNode ReportNode::integer(long long value) {
    ReportNode node(Kind::Integer);
    node.integer_ = value;
    return node;
}

ReportNode ReportNode::unsignedInteger(unsigned long long value) {
    ReportNode node(Kind::Unsigned);
    node.unsigned_ = value;
    return node;
}

ReportNode ReportNode::numbers(const std::vector<double>& values) {
    ReportNode node = array();
    for (double v : values)
        node.push(number(v));
    return node;
}

namespace {

// What a field shows when it holds no number: blanks, or the mark of an undefined value.
constexpr std::string_view kNotApplicable = "n/a";

bool showsNoNumber(const std::string& text) {
    const std::string shown = trimmed(text);
    return shown.empty() || shown == kNotApplicable;
}

ReportNode shownPair(std::string text, ReportNode value) {
    ReportNode node = ReportNode::object();
    const bool none = showsNoNumber(text);
    node["text"] = ReportNode::text(std::move(text));
    node["value"] = none ? ReportNode::null() : std::move(value);
    return node;
}

}  // namespace

ReportNode ReportNode::shown(std::string text, double value) {
    return shownPair(std::move(text), number(value));
}

ReportNode ReportNode::shown(std::string text, long long value) {
    return shownPair(std::move(text), integer(value));
}

ReportNode& ReportNode::operator[](const std::string& key) {
    for (auto& [name, node] : members_) {
        if (name == key) return node;
    }
    members_.emplace_back(key, object());
    return members_.back().second;
}

ReportNode& ReportNode::push(ReportNode item) {
    items_.push_back(std::move(item));
    return items_.back();
}

void ReportNode::write(JsonWriter& json) const {
    switch (kind_) {
        case Kind::Object:
            json.beginObject();
            for (const auto& [name, node] : members_) {
                json.key(name);
                node.write(json);
            }
            json.endObject();
            break;
        case Kind::Array:
            json.beginArray();
            for (const ReportNode& node : items_)
                node.write(json);
            json.endArray();
            break;
        case Kind::Text:
            json.string(text_);
            break;
        case Kind::Number:
            json.number(number_);
            break;
        case Kind::Integer:
            json.integer(integer_);
            break;
        case Kind::Unsigned:
            json.unsignedInteger(unsigned_);
            break;
        case Kind::Null:
            json.null();
            break;
    }
}

void ReportNode::writeJson(std::ostream& out) const {
    JsonWriter json(out);
    write(json);
    out << '\n';
}

void ReportNode::writeText(std::ostream& out, const std::string& path) const {
    switch (kind_) {
        case Kind::Object:
            for (const auto& [name, node] : members_) {
                node.writeText(out, path.empty() ? name : path + "." + name);
            }
            break;
        case Kind::Array:
            for (std::size_t i = 0; i < items_.size(); ++i) {
                items_[i].writeText(out, path + "[" + std::to_string(i + 1) + "]");
            }
            break;
        case Kind::Text:
            out << path << ": " << text_ << '\n';
            break;
        case Kind::Number:
            out << path << ": " << (std::isfinite(number_) ? formatFree(number_) : kNull) << '\n';
            break;
        case Kind::Integer:
            out << path << ": " << integer_ << '\n';
            break;
        case Kind::Unsigned:
            out << path << ": " << unsigned_ << '\n';
            break;
        case Kind::Null:
            out << path << ": " << kNull << '\n';
            break;
    }
}

}  // namespace qalix
