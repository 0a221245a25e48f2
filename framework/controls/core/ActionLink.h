// TActionLink: the link between an action and a client that shows it (a control, a menu item).
// The action tells every link about each property change through these setters; each client's
// link overrides the ones it shows.
#pragma once

#include "framework/rtl/BasicAction.h"

#include <cstdint>

namespace dw {

// A key with its modifier bits: the key code in the low byte, scShift $2000, scCtrl $4000,
// scAlt $8000.
using TShortCut = std::uint16_t;

class TActionLink : public TBasicActionLink {
    DW_CLASS(TActionLink, TBasicActionLink)
    explicit TActionLink(TObject* client) : TBasicActionLink(client) {}

    // Whether the client still shows the action's value of a property (it follows the action
    // only while they agree). The base answers yes when there is an action.
    virtual bool IsCaptionLinked() const { return FAction != nullptr; }
    virtual bool IsCheckedLinked() const { return FAction != nullptr; }
    virtual bool IsEnabledLinked() const { return FAction != nullptr; }
    virtual bool IsHelpContextLinked() const { return FAction != nullptr; }
    virtual bool IsHintLinked() const { return FAction != nullptr; }
    virtual bool IsImageIndexLinked() const { return FAction != nullptr; }
    virtual bool IsShortCutLinked() const { return FAction != nullptr; }
    virtual bool IsVisibleLinked() const { return FAction != nullptr; }
    virtual bool IsOnExecuteLinked() const { return FAction != nullptr; }

    // Called by the action when the property changed.
    virtual void SetCaption(const String& value) { (void)value; }
    virtual void SetChecked(bool value) { (void)value; }
    virtual void SetEnabled(bool value) { (void)value; }
    virtual void SetHelpContext(int value) { (void)value; }
    virtual void SetHint(const String& value) { (void)value; }
    virtual void SetImageIndex(int value) { (void)value; }
    virtual void SetShortCut(TShortCut value) { (void)value; }
    virtual void SetVisible(bool value) { (void)value; }
    virtual void SetOnExecute(const TNotifyEvent& value) { (void)value; }
};

} // namespace dw
