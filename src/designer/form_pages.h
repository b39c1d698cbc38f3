#pragma once

#include <QString>
#include <optional>

namespace tarvo {

class FormLoader;
struct DesignerState;
struct IdeContext;

// An answer to Adjust ObjectsPerPage: a whole number from 0 to 500 (blanks
// around it allowed), or nothing.
std::optional<int> parseObjectsPerPage(const QString& answer);

// Previous/next form page and the number of object pictures.
class FormPages {
public:
    FormPages(IdeContext& ctx, DesignerState& state, FormLoader& loader);
    void Command2_Click();
    void Command3_Click();
    void AdjustObjectsPerPage_Click();

    // Creates pictures from..to (zero-sized, visible) and enters them in
    // ObjectPictures; used by start-up as well.
    void createPictures(int from, int to);

private:
    void showCurrentPage();

    IdeContext& m_ctx;
    DesignerState& m_state;
    FormLoader& m_loader;
};

} // namespace tarvo
