#include "yorvane/date.h"

#include "yorvane/lunisolar.h"
#include "yorvane/text.h"

namespace yorvane {

namespace {

// Full-width digits, letters and separators as their ASCII forms, letters in upper case, the
// ideographic space as a blank.
char16_t folded(char16_t c) {
    if (c >= u'０' && c <= u'９') return static_cast<char16_t>(u'0' + (c - u'０'));
    if (c >= u'Ａ' && c <= u'Ｚ') return static_cast<char16_t>(u'A' + (c - u'Ａ'));
    if (c >= u'ａ' && c <= u'ｚ') return static_cast<char16_t>(u'A' + (c - u'ａ'));
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(u'A' + (c - u'a'));
    switch (c) {
        case u'／': return u'/';
        case u'－':
        case u'−':
        case u'‐': return u'-';
        case u'．': return u'.';
        case u'\u3000':
        case u'\t': return u' ';
        default: return c;
    }
}

constexpr bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
constexpr bool isLetter(char16_t c) { return c >= u'A' && c <= u'Z'; }

constexpr bool isSeparator(char16_t c) { return c == u'/' || c == u'-' || c == u'.'; }

struct Reader {
    std::u16string text;
    std::size_t at = 0;
    bool lookingAhead = false;  // reading what follows a whole day, to see if it is a second one

    bool done() const { return at >= text.size(); }
    char16_t peek() const { return done() ? u'\0' : text[at]; }
    bool onlyBlanksLeft() const { return text.find_first_not_of(u' ', at) == std::u16string::npos; }
    void skipBlanks() {
        while (!done() && text[at] == u' ') ++at;
    }
    bool take(std::u16string_view s) {
        if (text.compare(at, s.size(), s) != 0) return false;
        at += s.size();
        return true;
    }
    // Digits as a number (nullopt for none); `count` gets how many digits there were.
    std::optional<std::int64_t> number(int& count) {
        std::int64_t n = 0;
        count = 0;
        while (!done() && isDigit(text[at])) {
            if (count < 12) n = n * 10 + (text[at] - u'0');
            ++count, ++at;
        }
        return count == 0 ? std::nullopt : std::optional<std::int64_t>(n);
    }
    // A separator between two parts: the unit (年 or 月), one of / - . or blanks alone.
    bool separator(char16_t unit) {
        const std::size_t before = at;
        skipBlanks();
        if (take(std::u16string_view(&unit, 1)) || take(u"/") || take(u"-") || take(u".")) {
            skipBlanks();
            return true;
        }
        return at > before && !done();
    }
};

constexpr std::u16string_view kNothingTyped = u"日付を入力してください。";
constexpr std::u16string_view kNoYear =
    u"年がありません。1980/3/4 のように年から入力してください。";
constexpr std::u16string_view kEmptyPart =
    u"区切りが二つ続いています。間の数字を入力してください。";
constexpr std::u16string_view kTooManyParts =
    u"区切りが多すぎます。年・月・日の三つに分けて入力してください（1980/3/4）。";
constexpr std::u16string_view kTwoDays = u"日付が二つあります。一つだけ入力してください。";

// 「c」 followed by `rest` (built by appending: GCC 12 warns, wrongly, on literal + string).
std::u16string quoted(char16_t c, std::u16string_view rest) {
    std::u16string s(u"「");
    s += c;
    s += u"」";
    s += rest;
    return s;
}

std::u16string unexpected(const Reader& r) {
    return quoted(r.peek(), u"は日付に使えない文字です。");
}

// Why the next part is not there: the text ends before `what`, a separator follows another, or a
// character of no date stands in its place.
std::u16string missingPart(const Reader& r, std::u16string_view what) {
    if (r.done()) return std::u16string(what) + u"まで入力してください。";
    if (isSeparator(r.peek())) return std::u16string(kEmptyPart);
    return unexpected(r);
}

// The era at the start: its name or its letter.
const EraStart* readEra(Reader& r) {
    for (const EraStart& e : kEraStarts)
        if (r.take(e.name) || r.take(std::u16string_view(&e.letter, 1))) return &e;
    return nullptr;
}

struct Parts {
    const EraStart* era = nullptr;
    const LunisolarEra* oldEra = nullptr;  // an era before 明治
    bool leap = false;                     // 閏 before the month
    std::int64_t year = 0, month = 0, day = 0;
    int yearDigits = 0;
};

// The year: digits, or 元 after an era.
std::optional<std::int64_t> readYear(Reader& r, const Parts& p, int& digits) {
    if ((p.era || p.oldEra) && r.take(u"元")) {
        digits = 1;
        return 1;
    }
    return r.number(digits);
}

std::u16string readParts(Reader& r, Parts& p);

// Whether a whole day begins here (after blanks).
bool dayBeginsAt(const Reader& r) {
    Reader rest{r.text.substr(r.at), 0, true};
    Parts p;
    return readParts(rest, p).empty();
}

// What follows a whole day: nothing, a second day, a fourth part, or a character of no date.
std::u16string afterTheDay(Reader& r) {
    r.skipBlanks();
    if (r.done()) return {};
    if (r.lookingAhead) return unexpected(r);
    if (dayBeginsAt(r)) return std::u16string(kTwoDays);
    if (isSeparator(r.peek()) || isDigit(r.peek())) return std::u16string(kTooManyParts);
    return unexpected(r);
}

// Two numbers that can only be a month and its day: the year was left out (3/4).
bool monthAndDayAlone(const Parts& p, std::int64_t second) {
    return !p.era && !p.oldEra && !p.leap && p.yearDigits <= 2 && p.year >= 1 && p.year <= 12 &&
           second >= 1 && second <= 31;
}

// The month and the day after the year, then the end of the text.
std::u16string readMonthAndDay(Reader& r, Parts& p) {
    if (r.peek() == u'月') return std::u16string(kNoYear);  // 3月4日
    if (!r.separator(u'年')) return missingPart(r, u"月と日");
    p.leap = r.take(u"閏");
    int digits = 0;
    const auto month = r.number(digits);
    if (!month) return missingPart(r, u"月と日");
    if (!r.separator(u'月')) {
        if (r.done() && monthAndDayAlone(p, *month)) return std::u16string(kNoYear);
        return missingPart(r, u"日");
    }
    const auto day = r.number(digits);
    if (!day) return missingPart(r, u"日");
    p.month = *month, p.day = *day;
    r.skipBlanks();
    r.take(u"日");
    return afterTheDay(r);
}

// The three numbers of the text, or the reason why there are not three.
std::u16string readParts(Reader& r, Parts& p) {
    r.skipBlanks();
    if (r.done()) return std::u16string(kNothingTyped);
    p.era = readEra(r);
    for (const LunisolarEra& e : kLunisolarEras)
        if (!p.era && !p.oldEra && r.take(e.name)) p.oldEra = &e;
    if (!p.era && !p.oldEra && isLetter(r.peek()))
        return quoted(r.peek(), u"は元号の略字ではありません（M・T・S・H・R）。");
    r.skipBlanks();
    const auto year = readYear(r, p, p.yearDigits);
    if (!year && (isSeparator(r.peek()) || r.peek() == u'月')) return std::u16string(kNoYear);
    if (!year) return missingPart(r, u"年");
    p.year = *year;
    if (!p.era && p.yearDigits == 8) {
        if (r.onlyBlanksLeft()) {  // 19800304
            p.month = p.year / 100 % 100, p.day = p.year % 100, p.year /= 10000;
            return {};
        }
        if (!r.lookingAhead && dayBeginsAt(r)) return std::u16string(kTwoDays);
    }
    if (!p.era && !p.oldEra && p.yearDigits > 4 && r.onlyBlanksLeft())
        return std::u16string(u"数字だけの日付は 19800304 のように8けたで入力してください（いまは")
            .append(decimal(p.yearDigits))
            .append(u"けたです）。");
    return readMonthAndDay(r, p);
}

// Whether the numbers make a day of the calendar.
std::u16string checkParts(const Parts& p, std::int64_t westernYear) {
    if (p.era && p.year == 0) return u"元号の年は1（元年）から数えます。";
    if (p.month < 1 || p.month > 12) return decimal(p.month) + u"月はありません。";
    if (westernYear < kFirstDateYear || westernYear > kLastDateYear)
        return u"西暦1年から9999年までの日付を入力してください。";
    const int last = daysInMonth(static_cast<std::int32_t>(westernYear), static_cast<int>(p.month));
    if (p.day < 1 || p.day > last)
        return decimal(p.month) + u"月" + decimal(p.day) + u"日はありません（" +
               decimal(westernYear) + u"年" + decimal(p.month) + u"月は" + decimal(last) +
               u"日まで）。";
    return {};
}

// A 和暦 date before 明治6年 is a date of the lunisolar calendar.
bool isLunisolar(const Parts& p) {
    return p.oldEra || (p.era && p.era->name == u"明治" && p.year < kGregorianInJapan.year - 1867);
}

DateParse lunisolarParse(const Parts& p) {
    const LunisolarEra& era = p.oldEra ? *p.oldEra : *lunisolarEraNamed(u"明治");
    if (p.year == 0) return {std::nullopt, u"元号の年は1（元年）から数えます。"};
    if (p.month < 1 || p.month > 12) return {std::nullopt, decimal(p.month) + u"月はありません。"};
    if (era.proclaimed.year - 1 + p.year < kLunisolarFirstDay.year)
        return {std::nullopt, u"1843年以前の旧暦の日付には対応していません。"};
    // A year or day too large for any era is none, not a smaller number cut from it.
    const bool fits = p.year <= kLastDateYear && p.day >= 1 && p.day <= 30;
    const auto d =
        fits ? dateOfLunisolarEra(era, static_cast<std::int32_t>(p.year), static_cast<int>(p.month),
                                  p.leap, static_cast<int>(p.day))
             : std::nullopt;
    if (!d)
        return {std::nullopt, std::u16string(era.name) + decimal(p.year) + u"年" +
                                  (p.leap ? u"閏" : u"") + decimal(p.month) + u"月" +
                                  decimal(p.day) + u"日は旧暦にありません。"};
    return {ParsedDate{*d, p.era, static_cast<std::int32_t>(p.era ? p.year : 0)}, {}};
}

}  // namespace

DateParse parseDate(std::u16string_view text) {
    Reader r;
    r.text.reserve(text.size());
    for (char16_t c : text) r.text += folded(c);
    if (r.onlyBlanksLeft()) return {std::nullopt, std::u16string(kNothingTyped), true};
    Parts p;
    if (std::u16string error = readParts(r, p); !error.empty()) return {std::nullopt, error};
    if (isLunisolar(p)) return lunisolarParse(p);
    if (p.leap) return {std::nullopt, u"閏月は明治5年までの旧暦の日付にしかありません。"};
    const std::int64_t western = p.era ? p.era->offset() + p.year : p.year;
    if (std::u16string error = checkParts(p, western); !error.empty()) return {std::nullopt, error};
    ParsedDate parsed;
    parsed.date = {static_cast<std::int32_t>(western), static_cast<int>(p.month),
                   static_cast<int>(p.day)};
    parsed.era = p.era;
    parsed.eraYear = static_cast<std::int32_t>(p.era ? p.year : 0);
    return {parsed, {}};
}

std::u16string dateText(Date d) {
    return decimal(d.year) + u"年" + decimal(d.month) + u"月" + decimal(d.day) + u"日";
}

}  // namespace yorvane
