#include "form_loader.h"

#include "app/core/ide_context.h"

namespace tarvo {

FormLoader::FormLoader(IdeContext& ctx, DesignerState& state) : m_ctx(ctx), m_state(state) {}

void FormLoader::LoadFormPage(qint16 page) {}

void FormLoader::ClearObjectPictures() {}

bool FormLoader::GetObjectValue(qint16 id, const QString& key, QString* value) {
    return false;
}

bool FormLoader::SetObjectValue(qint16 id, const QString& key, const QString& value) {
    return false;
}

} // namespace tarvo
