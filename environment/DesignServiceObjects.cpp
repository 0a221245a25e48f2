#include "environment/DesignServiceObjects.h"

#include "framework/controls/core/Control.h"
#include "framework/controls/forms/Screen.h"

#include <tuple>

namespace dw {

namespace {
// QueryInterface of an object that implements exactly the listed interfaces.
template <class Self, class... I> HRESULT QueryOneOf(Self* self, const TGUID& iid, void** obj) {
    *obj = nullptr;
    bool found = ((iid == I::IID ? (*obj = static_cast<I*>(self), true) : false) || ...);
    if (!found && iid == IInterface::IID) {
        *obj = static_cast<IInterface*>(static_cast<std::tuple_element_t<0, std::tuple<I...>>*>(self));
        found = true;
    }
    if (!found) return E_NOINTERFACE;
    self->AddRef();
    return S_OK;
}
} // namespace

TInterfacePtr<IRoot> TzRoot::Make(TDesignerManager& manager) {
    return TInterfacePtr<IRoot>(new TzRoot(manager));
}

HRESULT TzRoot::QueryInterface(const TGUID& iid, void** obj) {
    return QueryOneOf<TzRoot, IRoot>(this, iid, obj);
}

int TzRoot::Release() {
    int count = --FRefCount;
    if (count == 0) delete this;
    return count;
}

HRESULT TzDesignEnvironment::QueryInterface(const TGUID& iid, void** obj) {
    return QueryOneOf<TzDesignEnvironment, IDesignEnvironment>(this, iid, obj);
}

TRect TzDesignEnvironment::GetMainWindowSize() {
    TPoint position = GetNewRootPosition();
    return TRect{0, 0, Screen ? Screen->Width() : 0, position.Y};
}

TPoint TzDesignEnvironment::GetNewRootPosition() {
    TPoint position;
    FManager.GetNewRootPosition(position);
    return position;
}

HRESULT TzComponentDesigner::QueryInterface(const TGUID& iid, void** obj) {
    return QueryOneOf<TzComponentDesigner, IComponentDesigner>(this, iid, obj);
}

void TzComponentDesigner::GetSelections(IDesignerSelections* list) {
    if (IDesigner* designer = FManager.ActiveDesigner()) designer->GetSelections(list);
}

void TzComponentDesigner::ObjectCommand(TObject* object, int code) {
    if (auto* control = As<TControl>(object)) control->Perform(static_cast<UINT>(code), 0, 0);
}

TInterfacePtr<IDesigners> TzDesigners::Make(TDesignerManager& manager) {
    return TInterfacePtr<IDesigners>(new TzDesigners(manager));
}

HRESULT TzDesigners::QueryInterface(const TGUID& iid, void** obj) {
    return QueryOneOf<TzDesigners, IDesigners>(this, iid, obj);
}

int TzDesigners::Release() {
    int count = --FRefCount;
    if (count == 0) delete this;
    return count;
}

TInterfacePtr<IIDEServices> TzIDEServices::Make() {
    return TInterfacePtr<IIDEServices>(new TzIDEServices());
}

HRESULT TzIDEServices::QueryInterface(const TGUID& iid, void** obj) {
    return QueryOneOf<TzIDEServices, IIDEServices, IGeneralServices, IModuleServices>(this, iid, obj);
}

int TzIDEServices::Release() {
    int count = --FRefCount;
    if (count == 0) delete this;
    return count;
}

} // namespace dw
