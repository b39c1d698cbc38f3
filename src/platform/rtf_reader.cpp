#include "rtf_reader.h"

#include <QSet>

#include <algorithm>

namespace tarvo {

namespace {

// Destinations whose content is not part of the visible text.
const QSet<QByteArray>& skippedDestinations() {
    static const QSet<QByteArray> names{
        "fonttbl",      "stylesheet", "info",     "pict",      "header",
        "headerl",      "headerr",    "headerf",  "footer",    "footerl",
        "footerr",      "footerf",    "object",   "listtable", "listoverridetable",
        "rsidtbl",      "generator",  "xmlnstbl", "themedata", "colorschememapping",
        "latentstyles", "datastore",  "filetbl",  "revtbl",    "fldinst",
        "footnote",     "annotation", "atnid",    "atnauthor", "pgdsctbl",
        "mmathPr",      "operator",   "author",   "title",     "subject",
    };
    return names;
}

struct GroupState {
    bool skip = false;
    bool colorTable = false;
    bool bold = false;
    int colorIndex = 0;
    int unicodeSkip = 1; // \ucN: fallback characters after \uN
};

class Reader {
public:
    explicit Reader(const QByteArray& bytes) : m_in(bytes) {}

    RtfText read() {
        while (m_i < m_in.size()) {
            const char c = m_in[m_i++];
            if (c == '{') {
                m_stack.push_back(m_state);
                m_pendingDestination = true;
            } else if (c == '}') {
                if (m_stack.isEmpty())
                    break;
                m_state = m_stack.takeLast();
                if (m_stack.isEmpty())
                    break; // the document's own group is closed
            } else if (c == '\\') {
                controlSequence();
                continue;
            } else if (c == '\r' || c == '\n') {
                // Breaks in the source only wrap it.
            } else if (m_state.colorTable) {
                if (c == ';')
                    endColorEntry();
            } else {
                emitChar(QChar(uchar(c)));
            }
            if (c != '{')
                m_pendingDestination = false;
        }
        closeRun();
        return std::move(m_out);
    }

private:
    void controlSequence() {
        if (m_i >= m_in.size())
            return;
        const char c = m_in[m_i];
        if (!isLetter(c)) {
            ++m_i;
            controlSymbol(c);
            if (c != '*')
                m_pendingDestination = false;
            return;
        }
        QByteArray word;
        while (m_i < m_in.size() && isLetter(m_in[m_i]))
            word += m_in[m_i++];
        std::optional<int> param;
        const qsizetype numberStart = m_i;
        if (m_i < m_in.size() && (m_in[m_i] == '-' || isDigit(m_in[m_i]))) {
            ++m_i;
            while (m_i < m_in.size() && isDigit(m_in[m_i]))
                ++m_i;
            bool ok = false;
            const int value = m_in.mid(numberStart, m_i - numberStart).toInt(&ok);
            if (ok)
                param = value;
        }
        if (m_i < m_in.size() && m_in[m_i] == ' ')
            ++m_i; // the delimiting space belongs to the control word
        const bool firstInGroup = m_pendingDestination;
        m_pendingDestination = false;
        controlWord(word, param, firstInGroup);
    }

    void controlSymbol(char c) {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            emitChar(QLatin1Char(c));
            break;
        case '~':
            emitChar(QChar(0x00A0));
            break;
        case '_':
            emitChar(QLatin1Char('-'));
            break;
        case '\'':
            emitChar(QChar(uchar(hexByte())));
            break;
        case '*':
            // An optional destination: skipped unless known, and none is.
            if (m_pendingDestination)
                m_state.skip = true;
            break;
        case '\r':
        case '\n':
            emitChar(QLatin1Char('\n'));
            break;
        default:
            break; // \- optional hyphen, \| and others show nothing
        }
    }

    void controlWord(const QByteArray& word, std::optional<int> param, bool firstInGroup) {
        if (firstInGroup && skippedDestinations().contains(word)) {
            m_state.skip = true;
            return;
        }
        if (word == "bin") {
            m_i += std::max(0, param.value_or(0)); // binary data of a picture
            return;
        }
        if (word == "colortbl") {
            m_state.colorTable = true;
            m_colors.clear();
            m_entry = {};
            return;
        }
        if (m_state.colorTable) {
            if (word == "red")
                m_entry.red = param.value_or(0);
            else if (word == "green")
                m_entry.green = param.value_or(0);
            else if (word == "blue")
                m_entry.blue = param.value_or(0);
            return;
        }
        if (word == "par" || word == "line" || word == "sect" || word == "page")
            emitChar(QLatin1Char('\n'));
        else if (word == "tab")
            emitChar(QLatin1Char('\t'));
        else if (word == "emdash")
            emitChar(QChar(0x2014));
        else if (word == "endash")
            emitChar(QChar(0x2013));
        else if (word == "bullet")
            emitChar(QChar(0x2022));
        else if (word == "lquote")
            emitChar(QChar(0x2018));
        else if (word == "rquote")
            emitChar(QChar(0x2019));
        else if (word == "ldblquote")
            emitChar(QChar(0x201C));
        else if (word == "rdblquote")
            emitChar(QChar(0x201D));
        else if (word == "b")
            m_state.bold = param.value_or(1) != 0;
        else if (word == "cf")
            m_state.colorIndex = param.value_or(0);
        else if (word == "plain") {
            m_state.bold = false;
            m_state.colorIndex = 0;
        } else if (word == "uc")
            m_state.unicodeSkip = std::max(0, param.value_or(1));
        else if (word == "u" && param)
            unicodeChar(*param);
    }

    void unicodeChar(int code) {
        emitChar(QChar(ushort(code < 0 ? code + 65536 : code)));
        // Skip the fallback that readers without Unicode would show.
        for (int n = m_state.unicodeSkip; n > 0 && m_i < m_in.size(); --n) {
            const char c = m_in[m_i];
            if (c == '{' || c == '}')
                break;
            if (c == '\\' && m_i + 1 < m_in.size() && m_in[m_i + 1] == '\'')
                m_i += 4;
            else if (c == '\\')
                break;
            else
                ++m_i;
        }
    }

    int hexByte() {
        int value = 0;
        for (int n = 0; n < 2 && m_i < m_in.size(); ++n) {
            const int digit = hexDigit(m_in[m_i]);
            if (digit < 0)
                break;
            value = value * 16 + digit;
            ++m_i;
        }
        return value;
    }

    static int hexDigit(char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    void endColorEntry() {
        // An entry without components is the automatic colour; a missing
        // component of any other entry is 0.
        if (m_entry.isAuto())
            m_colors.push_back(std::nullopt);
        else
            m_colors.push_back(
                QColor(component(m_entry.red), component(m_entry.green), component(m_entry.blue)));
        m_entry = {};
    }

    void emitChar(QChar ch) {
        if (m_state.skip || m_state.colorTable)
            return;
        std::optional<QColor> color;
        if (m_state.colorIndex > 0 && m_state.colorIndex < m_colors.size())
            color = m_colors[m_state.colorIndex];
        const int width = ch == QLatin1Char('\n') ? 2 : 1;
        if (color != m_runColor || m_state.bold != m_runBold) {
            closeRun();
            m_runColor = color;
            m_runBold = m_state.bold;
            m_runStart = m_pos;
        }
        m_out.text += ch;
        m_pos += width;
    }

    void closeRun() {
        if (m_pos > m_runStart && (m_runColor || m_runBold))
            m_out.runs.push_back({m_runStart, m_pos - m_runStart, m_runColor, m_runBold});
        m_runStart = m_pos;
    }

    static int component(int v) { return std::clamp(v, 0, 255); }
    static bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

    struct ColorEntry {
        int red = -1, green = -1, blue = -1;
        bool isAuto() const { return red < 0 && green < 0 && blue < 0; }
    };

    const QByteArray& m_in;
    qsizetype m_i = 0;
    GroupState m_state;
    QVector<GroupState> m_stack;
    bool m_pendingDestination = false;
    QVector<std::optional<QColor>> m_colors;
    ColorEntry m_entry;
    RtfText m_out;
    int m_pos = 0;
    int m_runStart = 0;
    std::optional<QColor> m_runColor;
    bool m_runBold = false;
};

} // namespace

bool isRichText(const QByteArray& bytes) {
    return bytes.startsWith("{\\rtf");
}

RtfText readRichText(const QByteArray& bytes) {
    return Reader(bytes).read();
}

} // namespace tarvo
