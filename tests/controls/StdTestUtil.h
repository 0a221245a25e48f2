// Helpers for the standard control tests: controls placed on a test form, key chords and typing
// through the application's loop, and an action with the published properties links read.
#pragma once

#include "CoreFixture.h"

#include "framework/controls/StdReg.h"
#include "framework/controls/comctrls/ComCtrls.h"
#include "framework/controls/stdctrls/Buttons.h"
#include "framework/controls/stdctrls/ExtCtrls.h"
#include "framework/controls/stdctrls/StdCtrls.h"

namespace dw::test {

class StdTest : public CoreTest {
protected:
    void SetUp() override {
        CoreTest::SetUp();
        RegisterStandardControls();
    }
    // A control of class T owned by parent's form, given its bounds, then put on parent.
    template <class T> T* Place(TWinControl* parent, int left, int top, int width = -1, int height = -1) {
        TComponent* owner = GetParentForm(parent) ? static_cast<TComponent*>(GetParentForm(parent)) : parent;
        auto* c = New<T>(owner);
        c->SetBounds(left, top, width < 0 ? c->Width() : width, height < 0 ? c->Height() : height);
        c->SetParent(parent);
        return c;
    }
    // A key with modifiers held (VK_CONTROL, VK_SHIFT), through the application.
    void Chord(std::initializer_list<int> modifiers, int vk) {
        for (int m : modifiers) Backend->InjectKeyDown(m);
        Backend->InjectKeyDown(vk);
        Backend->InjectKeyUp(vk);
        for (int m : modifiers) Backend->InjectKeyUp(m);
        Process();
    }
    // Characters typed, each handled through the application (dialog characters included).
    void Type(const String& text) {
        for (char c : text) Backend->InjectChar(static_cast<unsigned char>(c));
        Process();
    }
};

// An action with the properties action links read (the menus' TAction is not needed here).
class TTestAction : public TBasicAction {
    DW_CLASS(TTestAction, TBasicAction)
    using TBasicAction::TBasicAction;

    const String& Caption() const { return FCaption; }
    // As actions do, the clients hear of a change while the old value is still in place, so that
    // each link can tell whether its client still showed the action's value.
    void SetCaption(const String& value) {
        for (auto* link : Links()) link->SetCaption(value);
        FCaption = value;
    }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) {
        for (auto* link : Links()) link->SetEnabled(value);
        FEnabled = value;
    }
    bool Checked() const { return FChecked; }
    void SetChecked(bool value) {
        for (auto* link : Links()) link->SetChecked(value);
        FChecked = value;
    }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value) {
        for (auto* link : Links()) link->SetImageIndex(value);
        FImageIndex = value;
    }
    const String& Hint() const { return FHint; }
    void SetHint(const String& value) {
        for (auto* link : Links()) link->SetHint(value);
        FHint = value;
    }
    bool Visible() const { return FVisible; }
    void SetVisible(bool value) { FVisible = value; }
    int Executed = 0;
    bool Execute() override {
        ++Executed;
        return TBasicAction::Execute();
    }

private:
    std::vector<TActionLink*> Links() {
        std::vector<TActionLink*> links;
        for (TBasicActionLink* l : FClients)
            if (auto* a = As<TActionLink>(l)) links.push_back(a);
        return links;
    }
    String FCaption;
    bool FEnabled = true;
    bool FChecked = false;
    int FImageIndex = -1;
    String FHint;
    bool FVisible = true;
};

} // namespace dw::test
