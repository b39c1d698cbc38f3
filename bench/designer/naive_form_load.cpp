#include "naive_form_load.h"

#include "app/core/ide_context.h"
#include "designer/designer_state.h"
#include "platform/object_picture.h"
#include "platform/rich_text_pane.h"

#include <cmath>

namespace tarvo::bench {

namespace {

const QString kLf = QStringLiteral("\n");
const QString kCr = QStringLiteral("\r");

bool toNumber(const QString& text, qint16* value) {
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok);
    if (!ok || d < -32768 || d > 32767)
        return false;
    *value = qint16(std::nearbyint(d));
    return true;
}

// s = LF + "ID=" + id from 0; k = key from s; e = CR from k; select the value.
bool getObjectValue(RichTextPane& pane, qint16 id, const QString& key, QString* value) {
    const int s = pane.find(kLf + QStringLiteral("ID=") + QString::number(id), 0);
    const int k = pane.find(key, s);
    const int e = pane.find(kCr, k);
    if (s < 0 || k < 0 || e < 0)
        return false;
    pane.select(k + int(key.size()), e - (k + int(key.size())));
    *value = pane.selText();
    return true;
}

bool getNumber(RichTextPane& pane, qint16 id, const QString& key, qint16* value) {
    QString text;
    return getObjectValue(pane, id, key, &text) && toNumber(text, value);
}

bool drawFormFrame(IdeContext& ctx, DesignerState& state, int start) {
    RichTextPane& pane = *ctx.ui.Text1;
    const int i = pane.find(kLf + QStringLiteral("ID="), start);
    const int e = pane.find(kCr, i);
    if (i < 0 || e < 0)
        return false;
    pane.select(i + 4, e - (i + 4));
    qint16 id = 0, x = 0, y = 0, w = 0, h = 0;
    if (!toNumber(pane.selText(), &id) ||
        !getNumber(pane, id, QStringLiteral("(SH)BOUNDS.Y="), &y) ||
        !getNumber(pane, id, QStringLiteral("(SH)BOUNDS.X="), &x) ||
        !getNumber(pane, id, QStringLiteral("(SH)BOUNDS.WIDTH="), &w) ||
        !getNumber(pane, id, QStringLiteral("(SH)BOUNDS.HEIGHT="), &h))
        return false;
    const int top = int(float(y) + state.ScreenTop), left = x + state.ScreenLeft;
    ctx.ui.Line2->setLine(left, top, left + w, top);
    ctx.ui.Line3->setLine(left + w, top, left + w, top + h);
    ctx.ui.Line4->setLine(left + w, top + h, left, top + h);
    ctx.ui.Line5->setLine(left, top + h, left, top);
    pane.setSelStart(0);
    return true;
}

} // namespace

bool naiveLoadFormPage(IdeContext& ctx, DesignerState& state, qint16 page) {
    RichTextPane& pane = *ctx.ui.Text1;
    int p = 0, f = -1;
    for (int n = 0; n <= page; ++n) {
        f = pane.find(QStringLiteral("#FORM"), p);
        if (f != -1)
            p = f + 1;
    }
    if (f == -1 && state.CurrentFormPage > 0) {
        --state.CurrentFormPage;
        return true;
    }
    for (int i = 1; i <= ctx.settings.ObjectsPerPage; ++i) {
        ObjectPicture* picture = state.ObjectPictures[size_t(i)];
        picture->setWidth(0);
        picture->setHeight(0);
        picture->setTop(0);
        picture->setLeft(0);
        picture->setToolTipText(QString());
    }
    state.NextObjectId = 1;
    if (!drawFormFrame(ctx, state, p))
        return false;

    const int e = pane.find(QStringLiteral("#END_FORM"), p);
    int c = p;
    state.NextPictureSlot = 1;
    while (f != -1 && f < e) {
        f = pane.find(kLf + QStringLiteral("(U)OBJECT_ID="), c);
        if (f == -1 || f >= e)
            break;
        c = f + 1;
        const int cr = pane.find(kCr, f);
        pane.select(f + 14, cr - (f + 14));
        qint16 id = 0, x = 0, y = 0, w = 0, h = 0;
        QString type;
        if (cr < 0 || !toNumber(pane.selText(), &id))
            return false;
        if (state.NextPictureSlot > ctx.settings.ObjectsPerPage)
            return false;
        ObjectPicture* picture = state.ObjectPictures[size_t(state.NextPictureSlot)];
        if (!getNumber(pane, id, QStringLiteral("(SH)BOUNDS.Y="), &y))
            return false;
        picture->setTop(float(y) + state.ScreenTop);
        if (!getNumber(pane, id, QStringLiteral("(SH)BOUNDS.X="), &x))
            return false;
        picture->setLeft(float(x + state.ScreenLeft));
        if (!getNumber(pane, id, QStringLiteral("(SH)BOUNDS.WIDTH="), &w) || w < 0)
            return false;
        picture->setWidth(w);
        if (!getNumber(pane, id, QStringLiteral("(SH)BOUNDS.HEIGHT="), &h) || h < 0)
            return false;
        picture->setHeight(h);
        if (!getObjectValue(pane, id, QStringLiteral("(B)OBJECT.TYPE="), &type))
            return false;
        picture->setToolTipText(QString::number(id) + QLatin1Char(',') + type);
        ++state.NextPictureSlot;
    }

    state.NextObjectId = 0;
    for (int q = 0;;) {
        const int r = pane.find(kLf + QStringLiteral("ID="), q);
        if (r == -1)
            break;
        q = r + 1;
        ++state.NextObjectId;
    }
    return drawFormFrame(ctx, state, p);
}

} // namespace tarvo::bench
