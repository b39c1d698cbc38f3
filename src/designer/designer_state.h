#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

namespace tarvo {

class ObjectPicture;

// The designer's state for the whole run.
struct DesignerState {
    static constexpr int MaxPictures = 500;

    // Entries 0..ObjectsPerPage refer to DynamicPicture elements of the same index.
    std::array<ObjectPicture*, MaxPictures + 1> ObjectPictures{};
    qint16 CurrentFormPage = 0;
    qint16 NextPictureSlot = 1;
    qint16 NextObjectId = 1;

    // The handheld screen's place in the window's client area.
    int ScreenLeft = 89;
    float ScreenTop = 44.0f;
    float ScreenWidth = 160.0f;
    float ScreenHeight = 160.0f;

    // Moving and resizing.
    float GrabX = 0;
    float GrabY = 0;

    // Toolbox drops.
    qint16 SelectedObjectType = 0;
    float DropStartX = 0;
    float DropStartY = 0;
    QString TemplateBuffer;
    QString NewObjectTypeName;

    // Entry `index` of ObjectPictures when it is a live picture: 1..objectsPerPage.
    ObjectPicture* usablePicture(int index, int objectsPerPage) const {
        if (index < 1 || index > MaxPictures || index > objectsPerPage)
            return nullptr;
        return ObjectPictures[size_t(index)];
    }
};

} // namespace tarvo
