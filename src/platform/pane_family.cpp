#include "pane_family.h"

namespace tarvo {

PaneFamily::PaneFamily(RichTextPane* element0) : m_element0(element0) {}

PaneFamily::~PaneFamily() {
    for (auto& [i, pane] : m_elements)
        delete pane;
}

RichTextPane* PaneFamily::create(int i) {
    if (i <= 0)
        return m_element0;
    if (RichTextPane* existing = at(i))
        return existing;
    auto* pane = new RichTextPane;
    pane->copyPropertiesFrom(*m_element0);
    pane->setObjectName(QStringLiteral("OtherTextFile_%1").arg(i));
    pane->hide();
    m_elements[i] = pane;
    if (onCreated)
        onCreated(i, pane);
    return pane;
}

void PaneFamily::destroy(int i) {
    auto it = m_elements.find(i);
    if (it == m_elements.end())
        return;
    delete it->second;
    m_elements.erase(it);
}

RichTextPane* PaneFamily::at(int i) const {
    if (i == 0)
        return m_element0;
    auto it = m_elements.find(i);
    return it == m_elements.end() ? nullptr : it->second;
}

QList<int> PaneFamily::indices() const {
    QList<int> out;
    for (auto& [i, pane] : m_elements)
        out.append(i);
    return out;
}

} // namespace tarvo
