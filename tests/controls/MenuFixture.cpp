#include "MenuFixture.h"

namespace dw::test {

TMenuItem* MenuTest::AddItem(TMenuItem* parent, const String& caption, TShortCut shortCut) {
    auto* item = New<TMenuItem>(parent->Owner());
    item->SetCaption(caption);
    item->SetShortCut(shortCut);
    item->OnClick = Log.Handler();
    parent->Add(item);
    return item;
}

void MenuTest::PressAt(TPoint p) {
    Backend->InjectMouseMove(p.X, p.Y);
    PumpMessages();
    Backend->InjectMouseDown();
    PumpMessages();
}

void MenuTest::ReleaseAt(TPoint p) {
    Backend->InjectMouseMove(p.X, p.Y);
    Backend->InjectMouseUp();
}

void MenuTest::QueueClick(TPoint p) {
    Backend->InjectMouseMove(p.X, p.Y);
    Backend->InjectMouseDown();
    Backend->InjectMouseUp();
}

void MenuTest::QueueKey(int vk) {
    Backend->InjectKeyDown(vk);
    Backend->InjectKeyUp(vk);
}

} // namespace dw::test
