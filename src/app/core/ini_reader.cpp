#include "ini_reader.h"

#include <QStringDecoder>

#include <algorithm>
#include <limits>

namespace tarvo {

namespace {

struct ByteOrderMark {
    QByteArrayView bytes;
    QStringDecoder::Encoding encoding;
    const char* name;
};

// UTF-32 LE before UTF-16 LE: its mark begins with the shorter one.
const ByteOrderMark kWideMarks[] = {
    {QByteArrayView("\xFF\xFE\0\0", 4), QStringDecoder::Utf32LE, "UTF-32"},
    {QByteArrayView("\0\0\xFE\xFF", 4), QStringDecoder::Utf32BE, "UTF-32"},
    {QByteArrayView("\xFF\xFE", 2), QStringDecoder::Utf16LE, "UTF-16"},
    {QByteArrayView("\xFE\xFF", 2), QStringDecoder::Utf16BE, "UTF-16"},
};

// The file is 8-bit text; a file saved by a modern editor as UTF-8 is read as
// such. The UTF-8 mark goes first, so that a Latin-1 file behind it keeps its
// first key.
QString decodeIniBytes(QByteArrayView bytes, QList<IniProblem>* problems) {
    for (const ByteOrderMark& mark : kWideMarks) {
        if (bytes.startsWith(mark.bytes)) {
            problems->append({0, QStringLiteral("The file is %1 text; it was read as such, but "
                                                "IDE.ini is meant to be 8-bit text.")
                                     .arg(QLatin1String(mark.name))});
            QStringDecoder wide(mark.encoding, QStringDecoder::Flag::Stateless);
            return wide.decode(bytes.sliced(mark.bytes.size()));
        }
    }
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return QString::fromLatin1(bytes);
    return text;
}

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isLineEnd(QChar c) {
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// Drops NUL characters, naming each line that held one.
QString withoutNuls(const QString& text, QList<IniProblem>* problems) {
    if (!text.contains(QChar(0)))
        return text;
    QString kept;
    kept.reserve(text.size());
    int line = 1;
    int reported = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QChar(0)) {
            if (reported != line)
                problems->append({line, QStringLiteral("NUL bytes; they were left out.")});
            reported = line;
            continue;
        }
        if (c == QLatin1Char('\n') ||
            (c == QLatin1Char('\r') && (i + 1 >= text.size() || text[i + 1] != QLatin1Char('\n'))))
            ++line;
        kept += c;
    }
    return kept;
}

// Reads fields off the decoded text, one at a time.
class FieldScanner {
public:
    FieldScanner(const QString& text, QList<IniProblem>* problems)
        : m_text(text), m_problems(problems) {}

    // False at the end of the file (after passing over empty lines).
    bool next(IniField* field) {
        if (m_atLineStart)
            skipEmptyLines();
        if (m_pos >= m_text.size() && !m_afterComma)
            return false;
        m_afterComma = false;
        skipBlanks();
        field->line = m_line;
        if (m_pos < m_text.size() && m_text[m_pos] == QLatin1Char('"'))
            field->text = readQuoted();
        else
            field->text = readUnquoted();
        readDelimiter();
        field->endsLine = !m_afterComma;
        return true;
    }

private:
    void skipBlanks() {
        while (m_pos < m_text.size() && isBlank(m_text[m_pos]))
            ++m_pos;
    }

    // Lines holding nothing but blanks lie between records and are no fields.
    void skipEmptyLines() {
        for (;;) {
            qsizetype p = m_pos;
            while (p < m_text.size() && isBlank(m_text[p]))
                ++p;
            if (p < m_text.size() && isLineEnd(m_text[p])) {
                m_pos = p;
                skipLineEnd();
                continue;
            }
            if (p >= m_text.size())
                m_pos = p;
            return;
        }
    }

    void skipLineEnd() {
        if (m_text[m_pos] == QLatin1Char('\r') && m_pos + 1 < m_text.size() &&
            m_text[m_pos + 1] == QLatin1Char('\n'))
            ++m_pos;
        ++m_pos;
        ++m_line;
    }

    qsizetype lineEnd(qsizetype from) const {
        while (from < m_text.size() && !isLineEnd(m_text[from]))
            ++from;
        return from;
    }

    QString readQuoted() {
        const qsizetype start = ++m_pos;
        const qsizetype eol = lineEnd(start);
        qsizetype end = QStringView(m_text).mid(start, eol - start).indexOf(QLatin1Char('"'));
        if (end >= 0) {
            end += start;
        } else {
            // Running on to the next quote would swallow the records after it.
            m_problems->append({m_line, QStringLiteral("The closing quote is missing; the value "
                                                       "was read to the end of the line.")});
            end = eol;
        }
        m_pos = end < eol ? end + 1 : end;
        // Whatever follows the closing quote up to the delimiter is dropped.
        while (m_pos < m_text.size() && m_text[m_pos] != QLatin1Char(',') &&
               !isLineEnd(m_text[m_pos]))
            ++m_pos;
        return m_text.mid(start, end - start);
    }

    QString readUnquoted() {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] != QLatin1Char(',') &&
               !isLineEnd(m_text[m_pos]))
            ++m_pos;
        qsizetype end = m_pos;
        while (end > start && isBlank(m_text[end - 1]))
            --end;
        return m_text.mid(start, end - start);
    }

    void readDelimiter() {
        m_atLineStart = false;
        if (m_pos >= m_text.size())
            return;
        if (m_text[m_pos] == QLatin1Char(',')) {
            ++m_pos;
            m_afterComma = true; // a comma always opens one more field
            return;
        }
        skipLineEnd();
        m_atLineStart = true;
    }

    const QString& m_text;
    QList<IniProblem>* m_problems;
    qsizetype m_pos = 0;
    int m_line = 1;
    bool m_atLineStart = true;
    bool m_afterComma = false;
};

// Rounds the decimal number given by its digits half to even, saturating at
// the 16-bit range. Working on the digits keeps 2.5 and 3.5 exact.
qint16 roundDigits(bool negative, const QString& integerDigits, const QString& fractionDigits,
                   bool* clamped) {
    constexpr qint64 kLimit = 1'000'000; // far outside 16 bits; stop counting there
    qint64 magnitude = 0;
    for (QChar d : integerDigits) {
        magnitude = magnitude * 10 + d.digitValue();
        if (magnitude > kLimit)
            magnitude = kLimit;
    }
    if (!fractionDigits.isEmpty()) {
        const int first = fractionDigits[0].digitValue();
        bool restNonZero = false;
        for (qsizetype i = 1; i < fractionDigits.size(); ++i)
            restNonZero = restNonZero || fractionDigits[i] != QLatin1Char('0');
        const bool roundUp = first > 5 || (first == 5 && (restNonZero || magnitude % 2 == 1));
        if (roundUp)
            ++magnitude;
    }
    const qint64 value = negative ? -magnitude : magnitude;
    *clamped =
        value > std::numeric_limits<qint16>::max() || value < std::numeric_limits<qint16>::min();
    if (value > std::numeric_limits<qint16>::max())
        return std::numeric_limits<qint16>::max();
    if (value < std::numeric_limits<qint16>::min())
        return std::numeric_limits<qint16>::min();
    return qint16(value);
}

struct TextKey {
    const char* name;
    QString Settings::*member;
};

// The text keys in the order of the key table, split where the two number
// keys come; every name is compared, a match does not end the comparisons.
const TextKey kTextKeysBeforeObjectsPerPage[] = {
    {"IniPath", &Settings::IniPath},
    {"TemplatePath", &Settings::TemplatePath},
    {"AdobePath", &Settings::AdobePath},
    {"DocPath", &Settings::DocPath},
    {"EmulatorPath", &Settings::EmulatorPath},
    {"PreferedTextEditor", &Settings::PreferedTextEditor},
    {"PreferedBMPEditor", &Settings::PreferedBMPEditor},
    {"LoadCode", &Settings::LoadCode},
    {"UIAPIDoc", &Settings::UIAPIDoc},
    {"UIDescriptionsDoc", &Settings::UIDescriptionsDoc},
    {"UIEventsDoc", &Settings::UIEventsDoc},
    {"SystemAPIDoc", &Settings::SystemAPIDoc},
    {"DatabaseAPIDoc", &Settings::DatabaseAPIDoc},
    {"DataManagerDoc", &Settings::DataManagerDoc},
};
const TextKey kTextKeysBeforeTabSpace[] = {
    {"SDKProjectPath", &Settings::SDKProjectPath},
    {"DataTypesKeywords", &Settings::DataTypesKeywords},
    {"ReservedKeyWords", &Settings::ReservedKeyWords},
    {"ExtraKeyWords", &Settings::ExtraKeyWords},
};
const TextKey kTextKeysAfterTabSpace[] = {
    {"Colorizew", &Settings::Colorizew},
};

// Whether the key was one of `keys`.
template <std::size_t N>
bool storeText(const TextKey (&keys)[N], const QString& key, const QString& value, Settings& s) {
    bool stored = false;
    for (const TextKey& k : keys) {
        if (key == QLatin1String(k.name)) {
            s.*(k.member) = value;
            stored = true;
        }
    }
    return stored;
}

constexpr int kMaxObjectsPerPage = 500;

// Names the key the user probably meant when only the letter case is wrong.
QString unknownKeyText(const QString& key) {
    QStringList names = {QStringLiteral("ObjectsPerPage"), QStringLiteral("TabSpace")};
    for (const TextKey& k : kTextKeysBeforeObjectsPerPage)
        names << QLatin1String(k.name);
    for (const TextKey& k : kTextKeysBeforeTabSpace)
        names << QLatin1String(k.name);
    names << QLatin1String(kTextKeysAfterTabSpace[0].name);
    const QString text =
        QStringLiteral("Unknown key \"%1\"; it was skipped with its value.").arg(key);
    for (const QString& name : std::as_const(names)) {
        if (name.compare(key, Qt::CaseInsensitive) == 0)
            return text + QStringLiteral(" Key names are case-sensitive: \"%1\".").arg(name);
    }
    return text;
}

} // namespace

IniFields readIniFields(const QByteArray& bytes) {
    IniFields result;
    const QString text = withoutNuls(decodeIniBytes(bytes, &result.problems), &result.problems);
    FieldScanner scanner(text, &result.problems);
    IniField field;
    while (scanner.next(&field))
        result.fields.append(field);
    return result;
}

qint16 iniNumber(const QString& value, bool* clamped) {
    bool ignored = false;
    if (!clamped)
        clamped = &ignored;
    *clamped = false;
    qsizetype p = 0;
    while (p < value.size() && isBlank(value[p]))
        ++p;
    bool negative = false;
    if (p < value.size() && (value[p] == QLatin1Char('-') || value[p] == QLatin1Char('+'))) {
        negative = value[p] == QLatin1Char('-');
        ++p;
    }
    auto isDigit = [&value](qsizetype i) {
        return i < value.size() && value[i] >= QLatin1Char('0') && value[i] <= QLatin1Char('9');
    };
    const qsizetype intStart = p;
    while (isDigit(p))
        ++p;
    const QString integerDigits = value.mid(intStart, p - intStart);
    QString fractionDigits;
    if (p < value.size() && value[p] == QLatin1Char('.') &&
        (isDigit(p + 1) || !integerDigits.isEmpty())) {
        const qsizetype fracStart = ++p;
        while (isDigit(p))
            ++p;
        fractionDigits = value.mid(fracStart, p - fracStart);
    }
    if (integerDigits.isEmpty() && fractionDigits.isEmpty())
        return 0;
    return roundDigits(negative, integerDigits, fractionDigits, clamped);
}

IniResult parseIni(const QByteArray& bytes) {
    IniFields read = readIniFields(bytes);
    const QList<IniField>& fields = read.fields;
    IniResult result;
    result.problems = std::move(read.problems);
    auto problem = [&result](int line, const QString& text) {
        result.problems.append({line, text});
    };
    Settings& s = result.settings;
    const IniField* objectsPerPage = nullptr;
    const IniField* tabSpace = nullptr;
    bool anyKnown = false;
    // Pairing is by count; an odd field at the end is a key without its value.
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
        const IniField& key = fields[i];
        const QString& value = fields[i + 1].text;
        bool known = storeText(kTextKeysBeforeObjectsPerPage, key.text, value, s);
        if (key.text == QLatin1String("ObjectsPerPage")) {
            s.ObjectsPerPage = iniNumber(value);
            objectsPerPage = &fields[i + 1];
            known = true;
        }
        known = storeText(kTextKeysBeforeTabSpace, key.text, value, s) || known;
        if (key.text == QLatin1String("TabSpace")) {
            tabSpace = &fields[i + 1];
            known = true;
        }
        known = storeText(kTextKeysAfterTabSpace, key.text, value, s) || known;
        anyKnown = anyKnown || known;
        if (!known)
            problem(key.line, unknownKeyText(key.text));
        if (key.endsLine && fields[i + 1].line != key.line)
            problem(key.line, QStringLiteral("\"%1\" has no value on its line, so the first field "
                                             "of line %2 was taken as its value and every later "
                                             "record is read one field off.")
                                  .arg(key.text)
                                  .arg(fields[i + 1].line));
    }
    if (fields.size() % 2 == 1)
        problem(fields.last().line,
                QStringLiteral("\"%1\" has no value; it was ignored.").arg(fields.last().text));
    if (tabSpace) {
        bool clamped = false;
        s.TabSpace = iniNumber(tabSpace->text, &clamped);
        if (clamped || s.TabSpace < 0) {
            s.TabSpace = std::max<qint16>(s.TabSpace, 0);
            problem(tabSpace->line, QStringLiteral("TabSpace is %1, which is outside 0 to 32767. "
                                                   "TarvoIDE uses %2 instead.")
                                        .arg(tabSpace->text)
                                        .arg(s.TabSpace));
        }
    }
    // The designer's picture table ends at index 500.
    if (s.ObjectsPerPage < 0 || s.ObjectsPerPage > kMaxObjectsPerPage) {
        const int clamped = s.ObjectsPerPage < 0 ? 0 : kMaxObjectsPerPage;
        problem(objectsPerPage->line,
                QStringLiteral("ObjectsPerPage is %1, which is outside 0 to %2. "
                               "TarvoIDE uses %3 instead.")
                    .arg(objectsPerPage->text)
                    .arg(kMaxObjectsPerPage)
                    .arg(clamped));
        s.ObjectsPerPage = qint16(clamped);
    }
    if (!anyKnown)
        problem(0, QStringLiteral("No setting was found in the file."));
    std::stable_sort(result.problems.begin(), result.problems.end(),
                     [](const IniProblem& a, const IniProblem& b) { return a.line < b.line; });
    return result;
}

QString IniResult::problemReport() const {
    if (problems.isEmpty())
        return {};
    // A binary file would otherwise make a box taller than the screen.
    constexpr qsizetype kShown = 20;
    QStringList lines;
    for (qsizetype i = 0; i < std::min(problems.size(), kShown); ++i) {
        const IniProblem& p = problems[i];
        lines << (p.line > 0 ? QStringLiteral("Line %1: %2").arg(p.line).arg(p.text) : p.text);
    }
    if (problems.size() > kShown)
        lines << QStringLiteral("... and %1 more.").arg(problems.size() - kShown);
    return QStringLiteral("IDE.ini in the working folder has problems; the other settings were "
                          "read.\n\n") +
           lines.join(QLatin1Char('\n'));
}

} // namespace tarvo
