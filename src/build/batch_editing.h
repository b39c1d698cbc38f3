#pragma once

namespace tarvo {

struct IdeContext;

// The emulator command and the editing of the batch files.
class BatchEditing {
public:
    explicit BatchEditing(IdeContext& ctx);
    void CenterEmulator_Click();
    void MakeDebugBat_Click();
    void MakeReleaseBat_Click();
    void MakeLoadBat_Click();
    void MakeAll_Click();
    void LoadEditor_Click();

private:
    IdeContext& m_ctx;
};

} // namespace tarvo
