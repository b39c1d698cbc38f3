#pragma once

#include "app/form1.h"
#include "platform/dialogs.h"
#include "platform/program_starter.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace tarvo::testing {

// A main window built on a test-written IDE.ini, with scripted dialogs and a
// recording program starter.
class Form1Fixture : public ::testing::Test {
protected:
    void writeIni(const QByteArray& text) {
        QFile f(m_dir.filePath(QStringLiteral("IDE.ini")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    Form1& makeForm() {
        m_form = std::make_unique<Form1>(Form1Services{&m_dialogs, &m_starter, m_dir.path()});
        return *m_form;
    }

    Form1& makeForm(const QByteArray& ini) {
        writeIni(ini);
        return makeForm();
    }

    QTemporaryDir m_dir;
    ScriptedDialogs m_dialogs;
    RecordingProgramStarter m_starter;
    std::unique_ptr<Form1> m_form;
};

} // namespace tarvo::testing
