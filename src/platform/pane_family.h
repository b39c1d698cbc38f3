#pragma once

#include "rich_text_pane.h"

#include <functional>
#include <map>

namespace tarvo {

// An indexed family of panes (OtherTextFile): element 0 is the design-time
// pattern; element i is created from its properties, hidden and empty, and
// destroyed by its index.
class PaneFamily {
public:
    explicit PaneFamily(RichTextPane* element0);
    ~PaneFamily();
    PaneFamily(const PaneFamily&) = delete;
    PaneFamily& operator=(const PaneFamily&) = delete;

    // Creates element i (i >= 1); returns the existing one if it is there.
    RichTextPane* create(int i);
    void destroy(int i);           // no-op for a missing element; never element 0
    RichTextPane* at(int i) const; // nullptr when element i does not exist
    bool exists(int i) const { return at(i) != nullptr; }
    QList<int> indices() const; // existing elements but 0, ascending

    // Raised for every element created, so the owner can connect its events.
    std::function<void(int, RichTextPane*)> onCreated;

private:
    RichTextPane* m_element0;
    std::map<int, RichTextPane*> m_elements;
};

} // namespace tarvo
