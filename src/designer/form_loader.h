#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <functional>

namespace tarvo {

class IdLineIndex;
struct DesignerState;
struct IdeContext;

// Shows one #FORM block of the resource text (Text1) as object pictures.
class FormLoader {
public:
    FormLoader(IdeContext& ctx, DesignerState& state);

    // Shows form page `page`; reports a text error in a message box while a
    // project is open, with a line that names what is at fault. May step
    // CurrentFormPage back past the last page.
    void LoadFormPage(qint16 page);
    // The same with Text1 hidden for the load when it is on view, so that the
    // pane does not scroll about with the loader's searches.
    void LoadFormPageHidingText1(qint16 page);
    // Empties pictures 1..ObjectsPerPage and restarts the identifiers at 1.
    // False when one of those entries holds no usable picture.
    bool ClearObjectPictures();
    // Outlines the form whose identifier line is the first one at or after
    // `start`, then puts the caret of Text1 at 0. False on a text error.
    bool DrawFormFrame(int start);

    // Value of `key` in the block of identifier `id`, left selected in Text1.
    // False when the block, the key or the line end is not found.
    bool GetObjectValue(qint16 id, const QString& key, QString* value);
    // Replaces that value; false (text unchanged) when it cannot be found.
    bool SetObjectValue(qint16 id, const QString& key, const QString& value);

    // Runs after every LoadFormPage, whatever it did.
    void setAfterLoad(std::function<void()> afterLoad) { m_afterLoad = std::move(afterLoad); }

private:
    // Each returns why the load stopped, or empty text.
    QString loadPage(qint16 page);
    QString drawFrame(QStringView text, const IdLineIndex& index, int start);
    QString placeObject(QStringView text, const IdLineIndex& index, qint16 id);

    IdeContext& m_ctx;
    DesignerState& m_state;
    std::function<void()> m_afterLoad;
};

} // namespace tarvo
