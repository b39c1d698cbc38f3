#include "ini_reader.h"

#include <QStringDecoder>

#include <limits>

namespace tarvo {

namespace {

// The file is 8-bit text; a file saved by a modern editor as UTF-8 is read as such.
QString decodeIniBytes(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return QString::fromLatin1(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isLineEnd(QChar c) {
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// Reads fields off the decoded text, one at a time.
class FieldScanner {
public:
    explicit FieldScanner(const QString& text) : m_text(text) {}

    // False at the end of the file (after passing over empty lines).
    bool next(QString* field) {
        if (m_atLineStart)
            skipEmptyLines();
        if (m_pos >= m_text.size() && !m_afterComma)
            return false;
        m_afterComma = false;
        skipBlanks();
        if (m_pos < m_text.size() && m_text[m_pos] == QLatin1Char('"'))
            *field = readQuoted();
        else
            *field = readUnquoted();
        readDelimiter();
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
    }

    QString readQuoted() {
        const qsizetype start = ++m_pos;
        qsizetype end = m_text.indexOf(QLatin1Char('"'), start);
        if (end < 0)
            end = m_text.size();
        m_pos = end < m_text.size() ? end + 1 : end;
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
    qsizetype m_pos = 0;
    bool m_atLineStart = true;
    bool m_afterComma = false;
};

// Rounds the decimal number given by its digits half to even, saturating at
// the 16-bit range. Working on the digits keeps 2.5 and 3.5 exact.
qint16 roundDigits(bool negative, const QString& integerDigits, const QString& fractionDigits) {
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

template <std::size_t N>
void storeText(const TextKey (&keys)[N], const QString& key, const QString& value, Settings& s) {
    for (const TextKey& k : keys) {
        if (key == QLatin1String(k.name))
            s.*(k.member) = value;
    }
}

constexpr int kMaxObjectsPerPage = 500;

} // namespace

QStringList readIniFields(const QByteArray& bytes) {
    const QString text = decodeIniBytes(bytes);
    FieldScanner scanner(text);
    QStringList fields;
    QString field;
    while (scanner.next(&field))
        fields.append(field);
    return fields;
}

qint16 iniNumber(const QString& value) {
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
    return roundDigits(negative, integerDigits, fractionDigits);
}

IniResult parseIni(const QByteArray& bytes) {
    const QStringList fields = readIniFields(bytes);
    IniResult result;
    Settings& s = result.settings;
    QString objectsPerPageText;
    // Pairing is by count; an odd field at the end is a key without its value.
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
        const QString& key = fields[i];
        const QString& value = fields[i + 1];
        storeText(kTextKeysBeforeObjectsPerPage, key, value, s);
        if (key == QLatin1String("ObjectsPerPage")) {
            s.ObjectsPerPage = iniNumber(value);
            objectsPerPageText = value;
        }
        storeText(kTextKeysBeforeTabSpace, key, value, s);
        if (key == QLatin1String("TabSpace"))
            s.TabSpace = iniNumber(value);
        storeText(kTextKeysAfterTabSpace, key, value, s);
    }
    // The designer's picture table ends at index 500.
    if (s.ObjectsPerPage < 0 || s.ObjectsPerPage > kMaxObjectsPerPage) {
        const int clamped = s.ObjectsPerPage < 0 ? 0 : kMaxObjectsPerPage;
        result.objectsPerPageWarning =
            QStringLiteral("ObjectsPerPage is %1 in IDE.ini, which is outside 0 to %2. "
                           "TarvoIDE uses %3 instead.")
                .arg(objectsPerPageText)
                .arg(kMaxObjectsPerPage)
                .arg(clamped);
        s.ObjectsPerPage = qint16(clamped);
    }
    return result;
}

} // namespace tarvo
