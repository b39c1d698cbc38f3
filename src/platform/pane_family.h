#pragma once

#include "rich_text_pane.h"

#include <QByteArray>
#include <QTimer>
#include <functional>
#include <map>

namespace tarvo {

// An indexed family of panes (OtherTextFile): element 0 is the design-time
// pattern; element i is created from its properties, hidden and empty, and
// destroyed by its index.
//
// A widget costs a fraction of a millisecond to make, so a project of
// thousands of files would freeze the window while its panes are made: an
// element created with a file's bytes exists at once, but its widget is made
// when at() first asks for it, or in the background a few at a time.
class PaneFamily {
public:
    explicit PaneFamily(RichTextPane* element0);
    ~PaneFamily();
    PaneFamily(const PaneFamily&) = delete;
    PaneFamily& operator=(const PaneFamily&) = delete;

    // Creates element i (i >= 1); returns the existing one if it is there.
    RichTextPane* create(int i);
    // Creates element i holding a loaded file's bytes (as loadData() takes
    // them); its widget comes later. An existing element is replaced.
    void createLoaded(int i, const QByteArray& bytes);
    void destroy(int i);           // no-op for a missing element; never element 0
    RichTextPane* at(int i) const; // nullptr when element i does not exist; makes its widget
    bool exists(int i) const;      // never makes a widget
    // The widget of element i if it has been made; nullptr otherwise.
    RichTextPane* madeAt(int i) const;
    QList<int> indices() const; // existing elements but 0, ascending
    // Gives every element but 0 this rectangle; a widget made later takes it
    // too, instead of element 0's.
    void setRect(const QRect& rect);

    // Raised for every element whose widget is made, so the owner can connect
    // its events.
    std::function<void(int, RichTextPane*)> onCreated;

private:
    struct Element {
        RichTextPane* pane = nullptr;
        QByteArray bytes; // the file, until the widget is made
    };
    RichTextPane* make(int i, Element& e) const;
    void makeSome();

    RichTextPane* m_element0;
    mutable std::map<int, Element> m_elements;
    QRect m_rect; // of every element but 0, once set
    QTimer m_background;
};

} // namespace tarvo
