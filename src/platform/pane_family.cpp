#include "pane_family.h"

#include <QElapsedTimer>

namespace tarvo {

namespace {

// Each background slice stays well under a frame.
constexpr qint64 kSliceMs = 8;

} // namespace

PaneFamily::PaneFamily(RichTextPane* element0) : m_element0(element0) {
    m_background.setInterval(0);
    QObject::connect(&m_background, &QTimer::timeout, [this] { makeSome(); });
}

PaneFamily::~PaneFamily() {
    for (auto& [i, e] : m_elements)
        delete e.pane;
}

RichTextPane* PaneFamily::create(int i) {
    if (i <= 0)
        return m_element0;
    return make(i, m_elements[i]);
}

void PaneFamily::createLoaded(int i, const QByteArray& bytes) {
    if (i <= 0)
        return;
    destroy(i);
    m_elements[i].bytes = bytes.isNull() ? QByteArray("") : bytes;
    if (!m_background.isActive()) // restarting it costs a timer per file
        m_background.start();
}

RichTextPane* PaneFamily::make(int i, Element& e) const {
    if (e.pane)
        return e.pane;
    auto* pane = new RichTextPane;
    pane->copyPropertiesFrom(*m_element0);
    if (m_rect.isValid())
        pane->setGeometry(m_rect);
    pane->setObjectName(QStringLiteral("OtherTextFile_%1").arg(i));
    pane->hide();
    if (!e.bytes.isNull())
        pane->loadData(e.bytes);
    e.bytes = QByteArray();
    e.pane = pane;
    if (onCreated)
        onCreated(i, pane);
    return pane;
}

void PaneFamily::makeSome() {
    QElapsedTimer clock;
    clock.start();
    for (auto& [i, e] : m_elements) {
        if (clock.elapsed() >= kSliceMs)
            return;
        make(i, e);
    }
    m_background.stop();
}

void PaneFamily::destroy(int i) {
    auto it = m_elements.find(i);
    if (it == m_elements.end())
        return;
    delete it->second.pane;
    m_elements.erase(it);
}

RichTextPane* PaneFamily::at(int i) const {
    if (i == 0)
        return m_element0;
    auto it = m_elements.find(i);
    return it == m_elements.end() ? nullptr : make(i, it->second);
}

bool PaneFamily::exists(int i) const {
    return i == 0 || m_elements.count(i) > 0;
}

RichTextPane* PaneFamily::madeAt(int i) const {
    if (i == 0)
        return m_element0;
    auto it = m_elements.find(i);
    return it == m_elements.end() ? nullptr : it->second.pane;
}

void PaneFamily::setRect(const QRect& rect) {
    m_rect = rect;
    for (auto& [i, e] : m_elements) {
        if (e.pane)
            e.pane->setGeometry(rect);
    }
}

QList<int> PaneFamily::indices() const {
    QList<int> out;
    for (auto& [i, e] : m_elements)
        out.append(i);
    return out;
}

} // namespace tarvo
