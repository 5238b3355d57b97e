#pragma once
// The add-in connected to the substitute Outlook over a temporary add-in folder.
#include <gtest/gtest.h>

#include "addin/addin.h"
#include "sim/outlook/sim_outlook.h"
#include "sim/scripted_windows.h"
#include "support/config_fixture.h"
#include "support/report_text.h"

namespace sw::test {

inline const std::string roadConfig =
    "<body-check><word>社外秘</word></body-check>"
    "<attachment-check><word>添付</word></attachment-check>"
    "<recipient-check><domain>example.co.jp</domain></recipient-check>"
    "<deferred-delivery use=\"False\">5</deferred-delivery><debug>False</debug>";

class AddInTest : public ::testing::Test {
protected:
    TempFolder folder;
    sim::SimEnvironment env{folder.path()};
    sim::ScriptedWindows windows;
    sim::RecordedShell& shell = env.shell;
    AddIn addin{env.platform(&windows)};
    std::shared_ptr<sim::SimApplication> app = std::make_shared<sim::SimApplication>();
    sim::SimAddInInstance instance{app->sharedFaults()};

    void writeConfig(const std::string& inner) { folder.write("config.xml", configXml(inner)); }
    void connect(const std::string& inner = roadConfig) {
        writeConfig(inner);
        addin.OnConnection(app, 1, instance);
    }
    // A mail with a To at the safe domain and a Cc outside it.
    sim::MailState typicalMail() {
        sim::MailState m;
        m.subject = u"打ち合わせの件";
        m.body = u"お世話になっております。\r\n明日の打ち合わせの件です。\r\n";
        m.recipients = {{u"山田 太郎", u"yamada@example.co.jp", 1}, {u"Outside", u"someone@other.example", 2}};
        return m;
    }
    // Raises ItemSend as Outlook does; returns the cancel flag.
    bool send(sim::SimItem& item, bool initialCancel = false) {
        bool cancel = initialCancel;
        app->raiseItemSend(item, cancel);
        return cancel;
    }
    std::u16string position(std::size_t n) const { return ReportReader{env.messageBoxes.shown}.position(n); }
    std::u16string procedure(std::size_t n) const { return ReportReader{env.messageBoxes.shown}.procedure(n); }
    static void ok(ui::WindowModel& w) { w.click(ui::dialog::cmdOK); }
    static void cancel(ui::WindowModel& w) { w.click(ui::dialog::cmdCancel); }
    // A scripted answer that reads or drives the dialog itself.
    static sim::ScriptedWindows::Action onDialog(std::function<void(ui::ConfirmDialog&)> act) {
        return sim::ScriptedWindows::on<ui::ConfirmDialog>(std::move(act));
    }
};

}  // namespace sw::test
