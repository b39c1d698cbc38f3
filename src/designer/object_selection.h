#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QtGlobal>

namespace tarvo {

class FormLoader;
class ObjectPicture;
class OutlineShape;
struct DesignerState;
struct IdeContext;
struct PictureBounds;

// The object the designer's keys act on, outlined with handles over the
// screen until another object, another page or a pane is chosen; and the
// dashed outline of what a held mouse button will make.
class ObjectSelection {
public:
    ObjectSelection(IdeContext& ctx, DesignerState& state, FormLoader& loader);
    ObjectSelection(const ObjectSelection&) = delete;
    ObjectSelection& operator=(const ObjectSelection&) = delete;

    // Selects the object shown by picture `index`; a picture that shows no
    // object clears the selection.
    void select(int index);
    void clear();
    // Picture index of the selected object; 0 when none.
    int index() const { return m_picture ? m_index : 0; }
    qint16 id() const { return m_id; }

    void preview(const PictureBounds& bounds);
    void endPreview();

    const OutlineShape& frame() const { return *m_frame; }
    const OutlineShape& previewOutline() const { return *m_preview; }

private:
    // A reloaded page keeps the selection on the same object when it is
    // still there.
    void afterLoad();
    void follow();

    IdeContext& m_ctx;
    DesignerState& m_state;
    OutlineShape* m_frame = nullptr;   // owned by the client area
    OutlineShape* m_preview = nullptr; // likewise
    QPointer<ObjectPicture> m_picture;
    int m_index = 0;
    qint16 m_id = 0;
    qint16 m_page = 0;
    QString m_project;
    QMetaObject::Connection m_following;
    QObject m_connections; // cuts every connection when the selection goes
};

} // namespace tarvo
