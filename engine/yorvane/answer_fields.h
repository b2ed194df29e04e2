#pragma once
// A day's answer as one ordered list of fields, each a label, a JSON key and a value, from
// which the window's lines, the command line's lines and its JSON are all written: the three
// cannot differ in what they hold or in its order.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "yorvane/dateanswer.h"

namespace yorvane {

// The headings the answers stand under, in their order.
enum class AnswerGroup : std::uint8_t { Birthday, Age, Signs, School, Customs };
inline constexpr std::size_t kAnswerGroupCount = 5;
// "生まれた日", "年齢", "干支と九星", "学歴", "厄年と長寿祝い"
std::u16string_view answerGroupName(AnswerGroup group);

struct FieldMember;

// A value as JSON holds it, with the way a line shows it where that is not the JSON scalar
// itself ("46歳" for 46, "庚申（かのえさる）" for "庚申", "1980年3月4日（火）" for "1980-03-04").
struct FieldValue {
    enum class Kind : std::uint8_t { Null, Boolean, Number, String, Object, List };
    Kind kind = Kind::Null;
    bool boolean = false;
    std::int64_t number = 0;
    std::u16string string;
    std::vector<FieldMember> members;  // an object's, in order
    std::vector<FieldValue> items;     // a list's
    std::u16string shown;              // the line's form; empty: written from the value

    static FieldValue null(std::u16string shown = {});
    static FieldValue of(bool value);
    static FieldValue of(std::int64_t value, std::u16string shown = {});
    static FieldValue of(std::u16string value, std::u16string shown = {});
    static FieldValue object(std::vector<FieldMember> members);
    static FieldValue list(std::vector<FieldValue> items);
};
struct FieldMember {
    std::u16string_view key;
    FieldValue value;
};

// The line's form of a value: `shown` when set; otherwise null is （なし）, a boolean はい or
// いいえ, a number its digits, a string itself, an object its members' forms between " ／ ", a
// list its items' forms, one a line.
std::u16string fieldText(const FieldValue& v);
// The value as JSON, compact.
std::u16string fieldJson(const FieldValue& v);

struct AnswerField {
    AnswerGroup group;
    // The line's; empty for a value the JSON alone gives (曜日, this year's and next year's 厄年)
    std::u16string_view label;
    std::u16string_view key;  // the JSON object's
    FieldValue value;
    bool red = false;  // shown red: a 和暦 date that does not exist
};

// The fields of an answer, in the order of the lines.
std::vector<AnswerField> answerFields(const DateAnswer& a);

// One line of what the window and the command line show: a label and its value. A list gives a
// line for each item under its label.
struct AnswerLine {
    std::u16string_view label;
    std::u16string value;
    bool red = false;
    AnswerGroup group = AnswerGroup::Birthday;
};
std::vector<AnswerLine> answerLines(const std::vector<AnswerField>& fields);

// The fields as one JSON object, the keys in the lines' order.
std::u16string answerJson(const std::vector<AnswerField>& fields);

// Remarks that hold for this answer (before 1873, outside the table of 節, an era that did not
// hold on the day), one line each.
std::vector<std::u16string> answerNotes(const DateAnswer& a);

// "1980年2月5日 0:10"
std::u16string momentText(const Moment& m);

}  // namespace yorvane
