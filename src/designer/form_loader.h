#pragma once

#include <QString>
#include <QtGlobal>

namespace tarvo {

struct DesignerState;
struct IdeContext;

// Shows one #FORM block of the resource text (Text1) as object pictures.
class FormLoader {
public:
    FormLoader(IdeContext& ctx, DesignerState& state);

    // Shows form page `page`; reports a text error in a message box while a
    // project is open. May step CurrentFormPage back past the last page.
    void LoadFormPage(qint16 page);
    void ClearObjectPictures();

    // Value of `key` in the block of identifier `id`, left selected in Text1.
    // False when the block, the key or the line end is not found.
    bool GetObjectValue(qint16 id, const QString& key, QString* value);
    // Replaces that value; false (text unchanged) when it cannot be found.
    bool SetObjectValue(qint16 id, const QString& key, const QString& value);

private:
    IdeContext& m_ctx;
    DesignerState& m_state;
};

} // namespace tarvo
