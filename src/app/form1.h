#pragma once

#include "app/core/ide_context.h"
#include "designer/designer_state.h"

#include <QMainWindow>
#include <QString>
#include <memory>

class QAction;

namespace tarvo {

class BatchEditing;
class BuildCommands;
class BuildConsole;
class ClientArea;
class Colorizer;
class DesignerKeys;
class EditCommands;
class FileTabs;
class Finder;
class FocusTracking;
class FormLoader;
class FormPages;
class GestureHistory;
class Manuals;
class ObjectMover;
class ObjectSelection;
class ProjectCommands;
class PropertyGrid;
class ResourceFiles;
class Toolbox;

// What the window is given from outside; null members get the real ones.
struct Form1Services {
    Dialogs* dialogs = nullptr;
    ProgramStarter* starter = nullptr;
    QString iniFolder; // where IDE.ini is read; empty: the working folder
};

// The one window: builds the controls, wires their events to the handlers of
// the subsystems, and holds the layout rules, start-up, About and Exit.
class Form1 final : public QMainWindow {
    Q_OBJECT

public:
    explicit Form1(const Form1Services& services = {});
    ~Form1() override;

    // Shell handlers.
    void Form_Resize();
    void SmallScreen_Click();
    void About_Click();
    void Exit_Click();
    void IDEini_Click();

    IdeContext& context() { return m_ctx; }
    DesignerState& designer() { return m_designer; }
    Controls& ui() { return m_ctx.ui; }
    QAction* action(const QString& name) const; // a menu item by its name

    FileTabs& fileTabs() { return *m_fileTabs; }
    Colorizer& colorizer() { return *m_colorizer; }
    FocusTracking& focusTracking() { return *m_focus; }
    Finder& finder() { return *m_finder; }
    EditCommands& editCommands() { return *m_editCommands; }
    FormLoader& formLoader() { return *m_loader; }
    FormPages& formPages() { return *m_pages; }
    ObjectMover& objectMover() { return *m_mover; }
    ObjectSelection& objectSelection() { return *m_selection; }
    GestureHistory& gestureHistory() { return *m_history; }
    DesignerKeys& designerKeys() { return *m_keys; }
    Toolbox& toolbox() { return *m_toolbox; }
    PropertyGrid& propertyGrid() { return *m_grid; }
    BuildCommands& buildCommands() { return *m_build; }
    BuildConsole& buildConsole() { return *m_console; }
    BatchEditing& batchEditing() { return *m_batch; }
    Manuals& manuals() { return *m_manuals; }
    ProjectCommands& projectCommands() { return *m_project; }
    ResourceFiles& resourceFiles() { return *m_resources; }

    double twipsPerPixel() const;

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void Form_Initialize(const QString& iniFolder);
    void readSettings(const QString& iniFolder);
    void CenterForm();
    void createControls();
    void createMenus();
    void createHandlers();
    void wireEvents();
    void wireDesigner();
    void wirePane(int index, class RichTextPane* pane);

    IdeContext m_ctx;
    DesignerState m_designer;
    std::unique_ptr<Dialogs> m_ownDialogs;
    std::unique_ptr<ProgramStarter> m_ownStarter;
    ClientArea* m_client = nullptr;

    std::unique_ptr<Colorizer> m_colorizer;
    std::unique_ptr<FileTabs> m_fileTabs;
    std::unique_ptr<FocusTracking> m_focus;
    std::unique_ptr<Finder> m_finder;
    std::unique_ptr<EditCommands> m_editCommands;
    std::unique_ptr<FormLoader> m_loader;
    std::unique_ptr<FormPages> m_pages;
    std::unique_ptr<PropertyGrid> m_grid;
    std::unique_ptr<ObjectSelection> m_selection;
    std::unique_ptr<GestureHistory> m_history;
    std::unique_ptr<ObjectMover> m_mover;
    std::unique_ptr<DesignerKeys> m_keys;
    std::unique_ptr<Toolbox> m_toolbox;
    std::unique_ptr<BuildCommands> m_build;
    std::unique_ptr<BuildConsole> m_console;
    std::unique_ptr<BatchEditing> m_batch;
    std::unique_ptr<Manuals> m_manuals;
    std::unique_ptr<ProjectCommands> m_project;
    std::unique_ptr<ResourceFiles> m_resources;
    std::unique_ptr<class PaneFamily> m_paneFamily;
    std::unique_ptr<class PictureFamily> m_pictureFamily;
    bool m_quitting = false;
};

} // namespace tarvo
