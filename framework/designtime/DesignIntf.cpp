#include "framework/designtime/DesignIntf.h"

#include "framework/rtl/Exceptions.h"

namespace dw {

TInterfacePtr<IDesignerSelections> TDesignerSelections::Make() {
    return TInterfacePtr<IDesignerSelections>(new TDesignerSelections());
}

TInterfacePtr<IDesignerSelections> TDesignerSelections::Make(IDesignerSelections* source) {
    auto list = new TDesignerSelections();
    TInterfacePtr<IDesignerSelections> result(list);
    if (source)
        for (int i = 0; i < source->Count(); ++i) list->FItems.push_back(source->Get(i));
    return result;
}

HRESULT TDesignerSelections::QueryInterface(const TGUID& iid, void** obj) {
    if (iid == IDesignerSelections::IID || iid == IInterface::IID) {
        *obj = static_cast<IDesignerSelections*>(this);
        AddRef();
        return S_OK;
    }
    *obj = nullptr;
    return E_NOINTERFACE;
}

int TDesignerSelections::Release() {
    int count = --FRefCount;
    if (count == 0) delete this;
    return count;
}

int TDesignerSelections::Add(TPersistent* item) {
    FItems.push_back(item);
    return static_cast<int>(FItems.size()) - 1;
}

bool TDesignerSelections::Equals(IDesignerSelections* list) {
    if (!list || list->Count() != Count()) return false;
    for (int i = 0; i < Count(); ++i)
        if (list->Get(i) != FItems[static_cast<size_t>(i)]) return false;
    return true;
}

TPersistent* TDesignerSelections::Get(int index) {
    if (index < 0 || index >= Count()) throw EListError(Format("Selection index out of bounds (%d)", index));
    return FItems[static_cast<size_t>(index)];
}

HRESULT TBaseCustomModule::QueryInterface(const TGUID& iid, void** obj) {
    if (iid == ICustomModule::IID || iid == IInterface::IID) {
        *obj = static_cast<ICustomModule*>(this);
        AddRef();
        return S_OK;
    }
    *obj = nullptr;
    return E_NOINTERFACE;
}

int TBaseCustomModule::Release() {
    int count = --FRefCount;
    if (count == 0) delete this;
    return count;
}

} // namespace dw
