#include "yorvane/answer_fields.h"

#include <iterator>

#include "yorvane/sexagenary.h"
#include "yorvane/text.h"

namespace yorvane {

std::u16string_view answerGroupName(AnswerGroup group) {
    // In the order of AnswerGroup.
    static constexpr std::u16string_view kNames[] = {u"生まれた日", u"年齢", u"干支と九星", u"学歴",
                                                     u"厄年と長寿祝い"};
    static_assert(std::size(kNames) == kAnswerGroupCount);
    return kNames[static_cast<std::size_t>(group)];
}

FieldValue FieldValue::null(std::u16string shown) {
    FieldValue v;
    v.shown = std::move(shown);
    return v;
}

FieldValue FieldValue::of(bool value) {
    FieldValue v;
    v.kind = Kind::Boolean;
    v.boolean = value;
    return v;
}

FieldValue FieldValue::of(std::int64_t value, std::u16string shown) {
    FieldValue v;
    v.kind = Kind::Number;
    v.number = value;
    v.shown = std::move(shown);
    return v;
}

FieldValue FieldValue::of(std::u16string value, std::u16string shown) {
    FieldValue v;
    v.kind = Kind::String;
    v.string = std::move(value);
    v.shown = std::move(shown);
    return v;
}

FieldValue FieldValue::object(std::vector<FieldMember> members) {
    FieldValue v;
    v.kind = Kind::Object;
    v.members = std::move(members);
    return v;
}

FieldValue FieldValue::list(std::vector<FieldValue> items) {
    FieldValue v;
    v.kind = Kind::List;
    v.items = std::move(items);
    return v;
}

std::u16string fieldText(const FieldValue& v) {
    if (!v.shown.empty()) return v.shown;
    std::u16string text;
    switch (v.kind) {
        case FieldValue::Kind::Null: return u"（なし）";
        case FieldValue::Kind::Boolean: return v.boolean ? u"はい" : u"いいえ";
        case FieldValue::Kind::Number: return decimal(v.number);
        case FieldValue::Kind::String: return v.string;
        case FieldValue::Kind::Object:
            for (const FieldMember& m : v.members)
                text += (text.empty() ? u"" : u" ／ ") + fieldText(m.value);
            return text;
        case FieldValue::Kind::List:
            for (const FieldValue& item : v.items)
                text += (text.empty() ? u"" : u"\n") + fieldText(item);
            return text;
    }
    return text;
}

namespace {

void appendJsonString(std::u16string& out, std::u16string_view s) {
    out += u'"';
    for (char16_t c : s) {
        if (c == u'"' || c == u'\\') {
            out += u'\\';
            out += c;
        } else if (c < 0x20) {
            constexpr std::u16string_view hex = u"0123456789abcdef";
            out += u"\\u00";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += c;
        }
    }
    out += u'"';
}

void appendJson(std::u16string& out, const FieldValue& v) {
    switch (v.kind) {
        case FieldValue::Kind::Null: out += u"null"; return;
        case FieldValue::Kind::Boolean: out += v.boolean ? u"true" : u"false"; return;
        case FieldValue::Kind::Number: out += decimal(v.number); return;
        case FieldValue::Kind::String: appendJsonString(out, v.string); return;
        case FieldValue::Kind::Object:
            out += u'{';
            for (std::size_t i = 0; i < v.members.size(); ++i) {
                if (i > 0) out += u',';
                appendJsonString(out, v.members[i].key);
                out += u':';
                appendJson(out, v.members[i].value);
            }
            out += u'}';
            return;
        case FieldValue::Kind::List:
            out += u'[';
            for (std::size_t i = 0; i < v.items.size(); ++i) {
                if (i > 0) out += u',';
                appendJson(out, v.items[i]);
            }
            out += u']';
            return;
    }
}

std::u16string twoDigits(int n) { return (n < 10 ? u"0" : u"") + decimal(n); }

std::u16string isoDate(Date d) {
    std::u16string year = decimal(d.year);
    year.insert(0, year.size() < 4 ? 4 - year.size() : 0, u'0');
    return year + u"-" + twoDigits(d.month) + u"-" + twoDigits(d.day);
}

std::u16string monthDay(int month, bool leap, int day) {
    return (leap ? u"閏" : u"") + decimal(month) + u"月" + decimal(day) + u"日";
}

std::u16string eraDate(std::u16string_view era, std::int32_t year, int month, bool leap, int day) {
    return std::u16string(era) + eraYearText(year) + u"年" + monthDay(month, leap, day);
}

// 昭和55年3月4日; 嘉永3年閏2月1日 from 1844 to 1872 (the lunisolar calendar's); the era and year
// alone before; empty before 645.
std::u16string eraDateText(const DateAnswer& a) {
    if (a.era) return eraDate(a.era->name, a.eraYear, a.date.month, false, a.date.day);
    if (const auto& l = a.lunisolarEra)
        return eraDate(l->era->name, l->eraYear, l->date.month, l->date.leap, l->date.day);
    const EraDisplay era = historicalEraDisplay(a.date.year);
    return era.caption + era.year + (era.year.empty() ? u"" : u"年");
}

// {"年": 2026, "月": 10, "閏": false, "日": 30}, shown "2026年10月30日"; null outside the
// lunisolar calendar's days.
FieldValue lunisolarValue(const std::optional<LunisolarDate>& l) {
    if (!l) return FieldValue::null(u"（1844年〜2100年のみ）");
    FieldValue v = FieldValue::object({{u"年", FieldValue::of(std::int64_t{l->year})},
                                       {u"月", FieldValue::of(std::int64_t{l->month})},
                                       {u"閏", FieldValue::of(l->leap)},
                                       {u"日", FieldValue::of(std::int64_t{l->day})}});
    v.shown = decimal(l->year) + u"年" + monthDay(l->month, l->leap, l->day);
    return v;
}

FieldValue rokuyoValue(const std::optional<LunisolarDate>& l) {
    if (!l) return FieldValue::null();
    return FieldValue::of(std::u16string(rokuyoName(rokuyo(*l))));
}

FieldValue cycleValue(int cycle) {
    return FieldValue::of(cycleName(cycle), cycleWithReading(cycle));
}

FieldValue ageValue(const DateAnswer& a, std::int32_t age) {
    if (a.beforeBirth) return FieldValue::null(u"生まれる前");
    return FieldValue::of(std::int64_t{age}, decimal(age) + u"歳");
}

void addBirthday(std::vector<AnswerField>& f, const DateAnswer& a) {
    const Date& d = a.date;
    const std::u16string weekdayName(kWeekdays.substr(weekday(d), 1));
    f.push_back({AnswerGroup::Birthday, u"西暦", u"西暦",
                 FieldValue::of(isoDate(d), dateText(d) + u"（" + weekdayName + u"）")});
    f.push_back({AnswerGroup::Birthday, {}, u"曜日", FieldValue::of(weekdayName)});
    const std::u16string era = eraDateText(a);
    std::u16string shown = era.empty() ? u"（なし）" : u"";
    if (a.formerEra) {
        const std::u16string former =
            eraDate(a.formerEra->name, a.formerEraYear, d.month, false, d.day);
        shown = former + u" / " + era;
        f.push_back({AnswerGroup::Birthday, u"和暦", u"和暦", FieldValue::of(era, shown),
                     a.typedEra != nullptr});
        f.push_back({AnswerGroup::Birthday, {}, u"和暦（前の元号）", FieldValue::of(former)});
    } else {
        f.push_back({AnswerGroup::Birthday, u"和暦", u"和暦", FieldValue::of(era, shown),
                     a.typedEra != nullptr});
    }
    f.push_back({AnswerGroup::Birthday, u"旧暦", u"旧暦", lunisolarValue(a.lunisolar)});
    f.push_back({AnswerGroup::Birthday, u"六曜", u"六曜", rokuyoValue(a.lunisolar)});
    f.push_back({AnswerGroup::Birthday, u"日干支", u"日干支", cycleValue(a.dayCycle)});
}

void addAges(std::vector<AnswerField>& f, const DateAnswer& a) {
    f.push_back({AnswerGroup::Age, u"満年齢", u"満年齢", ageValue(a, a.fullAge)});
    f.push_back({AnswerGroup::Age, u"数え年", u"数え年", ageValue(a, a.countedAge)});
    f.push_back({AnswerGroup::Age, u"次の誕生日まで", u"次の誕生日まで",
                 FieldValue::of(a.daysToBirthday, decimal(a.daysToBirthday) + u"日")});
    std::vector<FieldMember> birthdays;
    for (const std::optional<Date>& day : a.lunisolarBirthdays)
        birthdays.push_back(
            {birthdays.empty() ? u"今年" : u"来年",
             day ? FieldValue::of(isoDate(*day), dateText(*day)) : FieldValue::null(u"（なし）")});
    f.push_back({AnswerGroup::Age, u"旧暦の誕生日", u"旧暦の誕生日",
                 FieldValue::object(std::move(birthdays))});
    f.push_back(
        {AnswerGroup::Age, u"基準日の旧暦", u"基準日の旧暦", lunisolarValue(a.referenceLunisolar)});
    f.push_back(
        {AnswerGroup::Age, u"基準日の六曜", u"基準日の六曜", rokuyoValue(a.referenceLunisolar)});
}

FieldValue springStartValue(const std::optional<Moment>& m) {
    if (!m) return FieldValue::null(u"（1873年〜2100年のみ）");
    return FieldValue::of(
        isoDate(m->date) + u"T" + twoDigits(m->hour) + u":" + twoDigits(m->minute) + u"+09:00",
        momentText(*m));
}

void addSigns(std::vector<AnswerField>& f, const DateAnswer& a) {
    const auto star = [](int s) { return FieldValue::of(std::u16string(nineStarName(s))); };
    f.push_back({AnswerGroup::Signs, u"干支", u"干支", cycleValue(yearCycle(a.signYear))});
    f.push_back({AnswerGroup::Signs, u"九星", u"九星", star(yearStar(a.signYear))});
    // Where counting from New Year's Day gives another year, as many people count.
    if (a.newYearSign.year != a.signYear) {
        f.push_back({AnswerGroup::Signs, u"干支（1月1日から）", u"干支（1月1日から）",
                     cycleValue(a.newYearSign.cycle)});
        f.push_back({AnswerGroup::Signs, u"九星（1月1日から）", u"九星（1月1日から）",
                     star(a.newYearSign.star)});
    }
    f.push_back({AnswerGroup::Signs, u"立春", u"立春", springStartValue(a.springStart)});
    f.push_back({AnswerGroup::Signs, u"月干支", u"月干支",
                 a.monthCycle ? cycleValue(*a.monthCycle) : FieldValue::null()});
    f.push_back({AnswerGroup::Signs, u"月命星", u"月命星",
                 a.monthStar ? star(*a.monthStar) : FieldValue::null()});
}

void addSchool(std::vector<AnswerField>& f, const DateAnswer& a) {
    f.push_back({AnswerGroup::School, u"早生まれ", u"早生まれ", FieldValue::of(a.earlyBorn)});
    const auto month = [](std::int32_t year, int m) {
        return FieldValue::of(std::int64_t{year}, decimal(year) + u"年" + decimal(m) + u"月");
    };
    const SchoolYears& s = a.school;
    const struct {
        std::u16string_view label;
        std::int32_t year;
        int month;
    } rows[] = {
        {u"小学校入学", s.elementaryEntry, kSchoolEntryMonth},
        {u"中学校入学", s.juniorHighEntry, kSchoolEntryMonth},
        {u"高校入学", s.highEntry, kSchoolEntryMonth},
        {u"高校卒業", s.highGraduation, kSchoolLeavingMonth},
        // 浪人 and 留年 come after 高校, as in the 学歴.
        {u"短大・専門卒業", s.collegeGraduation + a.extraYears, kSchoolLeavingMonth},
        {u"大学卒業", s.universityGraduation + a.extraYears, kSchoolLeavingMonth},
    };
    for (const auto& r : rows)
        f.push_back({AnswerGroup::School, r.label, r.label, month(r.year, r.month)});
    std::vector<FieldValue> record;
    for (const SchoolEntry& e : a.schoolRecord) {
        const auto text = [](std::u16string_view s) { return FieldValue::of(std::u16string(s)); };
        FieldValue item = FieldValue::object(
            {{u"学校", text(schoolName(e.school))},
             {u"区分", text(schoolEventName(e.event))},
             {u"西暦", FieldValue::of(isoDate({e.year, e.month, 1}).substr(0, 7))},
             {u"和暦", FieldValue::of(schoolMonthText(e, ResumeCalendar::Japanese))}});
        item.shown = resumeLine(e, ResumeCalendar::Japanese) + u"（" +
                     schoolMonthText(e, ResumeCalendar::Western) + u"）";
        record.push_back(std::move(item));
    }
    f.push_back({AnswerGroup::School, u"学歴", u"学歴", FieldValue::list(std::move(record))});
}

// "2021年（令和3年）"; the year alone where it has no era.
std::u16string yearWithEras(std::int32_t year, const std::u16string& eras) {
    return decimal(year) + u"年" + (eras.empty() ? u"" : u"（" + eras + u"）");
}

FieldValue unluckyList(const DateAnswer& a) {
    std::vector<FieldValue> items;
    for (const UnluckyEntry& e : a.unluckyYears) {
        const std::u16string eras = yearInErasText(e.year);
        const std::u16string_view kind = unluckyKindName(e.which.kind);
        FieldValue item =
            FieldValue::object({{u"性別", FieldValue::of(std::u16string(sexName(e.sex)))},
                                {u"数え年", FieldValue::of(std::int64_t{e.countedAge})},
                                {u"区分", FieldValue::of(std::u16string(kind))},
                                {u"大厄", FieldValue::of(e.which.great)},
                                {u"西暦", FieldValue::of(std::int64_t{e.year})},
                                {u"和暦", FieldValue::of(eras)}});
        item.shown = yearWithEras(e.year, eras) + u" " + std::u16string(sexName(e.sex)) + u" 数え" +
                     decimal(e.countedAge) + u"歳 " + std::u16string(kind) +
                     (e.which.great ? u"（大厄）" : u"");
        items.push_back(std::move(item));
    }
    return FieldValue::list(std::move(items));
}

FieldValue longevityList(const DateAnswer& a) {
    std::vector<FieldValue> items;
    for (const LongevityEntry& e : a.longevity) {
        const std::u16string eras = yearInErasText(e.year);
        FieldValue item = FieldValue::object({{u"名前", FieldValue::of(std::u16string(e.name))},
                                              {u"西暦", FieldValue::of(std::int64_t{e.year})},
                                              {u"和暦", FieldValue::of(eras)}});
        item.shown = yearWithEras(e.year, eras) + u" " + std::u16string(e.name) + u"（" +
                     (e.fullAge ? u"満" : u"数え") + decimal(e.age) + u"歳）";
        items.push_back(std::move(item));
    }
    return FieldValue::list(std::move(items));
}

// {"今年": "男 本厄", "来年": ""}, shown "2026年 男 本厄 ／ 2027年 なし".
FieldValue thisAndNext(const DateAnswer& a, std::u16string (*name)(const CustomsOfYear&)) {
    std::vector<FieldMember> members;
    for (const CustomsOfYear& y : a.years) {
        std::u16string value = name(y);
        const std::u16string shown = decimal(y.year) + u"年 " + (value.empty() ? u"なし" : value);
        members.push_back({members.empty() ? u"今年" : u"来年", FieldValue::of(value, shown)});
    }
    return FieldValue::object(std::move(members));
}

// This year's and next year's 厄年 and 長寿祝い stay in the JSON for scripts that read them; the
// lines give the lists, which begin with the next one.
void addCustoms(std::vector<AnswerField>& f, const DateAnswer& a) {
    f.push_back({AnswerGroup::Customs, {}, u"厄年", thisAndNext(a, [](const CustomsOfYear& y) {
                     return unluckyYearText(y.countedAge);
                 })});
    f.push_back({AnswerGroup::Customs, {}, u"長寿祝い", thisAndNext(a, [](const CustomsOfYear& y) {
                     return std::u16string(y.longevity);
                 })});
    f.push_back({AnswerGroup::Customs, u"厄年一覧", u"厄年一覧", unluckyList(a)});
    f.push_back({AnswerGroup::Customs, u"長寿祝い一覧", u"長寿祝い一覧", longevityList(a)});
}

}  // namespace

std::u16string fieldJson(const FieldValue& v) {
    std::u16string out;
    appendJson(out, v);
    return out;
}

std::vector<AnswerField> answerFields(const DateAnswer& a) {
    std::vector<AnswerField> f;
    f.reserve(24);
    addBirthday(f, a);
    addAges(f, a);
    addSigns(f, a);
    addSchool(f, a);
    addCustoms(f, a);
    return f;
}

std::vector<AnswerLine> answerLines(const std::vector<AnswerField>& fields) {
    std::vector<AnswerLine> lines;
    lines.reserve(fields.size());
    for (const AnswerField& field : fields) {
        if (field.label.empty()) continue;
        if (field.value.kind != FieldValue::Kind::List || field.value.items.empty()) {
            lines.push_back({field.label, fieldText(field.value), field.red, field.group});
            continue;
        }
        for (const FieldValue& item : field.value.items)
            lines.push_back({field.label, fieldText(item), field.red, field.group});
    }
    return lines;
}

std::u16string answerJson(const std::vector<AnswerField>& fields) {
    std::u16string out(u"{");
    for (const AnswerField& field : fields) {
        if (out.size() > 1) out += u',';
        appendJsonString(out, field.key);
        out += u':';
        appendJson(out, field.value);
    }
    return out + u"}";
}

std::vector<std::u16string> answerNotes(const DateAnswer& a) {
    std::vector<std::u16string> notes;
    if (a.typedEra)
        notes.push_back(std::u16string(a.typedEra->name) + eraYearText(a.typedEraYear) + u"年" +
                        decimal(a.date.month) + u"月" + decimal(a.date.day) +
                        u"日はありません。この日は" + eraDateText(a) + u"です。");
    if (a.lunisolarEra) notes.push_back(u"1872年までの和暦の月日は旧暦（太陰太陽暦）のものです。");
    if (a.yearOnly)
        notes.push_back(
            u"1843年以前の旧暦（太陰太陽暦）の月日には対応していないため、和暦は元号と年だけを"
            u"示します。");
    if (!a.springStart)
        notes.push_back(
            u"立春と節入りは1873年から2100年の分だけです。この日の干支と九星は元日で切り替えて"
            u"います。");
    if (a.newYearSign.year != a.signYear)
        notes.push_back(
            u"立春より前の生まれです。厄年は1月1日から数えていますが、立春から数える寺社では"
            u"前の年の生まれとして数えます。");
    if (a.beforeBirth) notes.push_back(u"基準日が生まれた日より前です。");
    return notes;
}

std::u16string momentText(const Moment& m) {
    return dateText(m.date) + u" " + decimal(m.hour) + u":" + twoDigits(m.minute);
}

}  // namespace yorvane
