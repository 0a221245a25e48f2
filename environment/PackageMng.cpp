#include "environment/PackageMng.h"

#include "environment/DesignerManager.h"
#include "environment/Frames.h"
#include "environment/SelectFrameDialog.h"
#include "formfiles/FormReader.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Resources.h"
#include "framework/rtl/ScopeGuard.h"

#include <algorithm>

namespace dw {

namespace {
// Loads a bitmap resource into bitmap when there is one; a missing or broken resource leaves the
// bitmap as it was, since the callers fall back to other glyphs.
bool TryLoadBitmapResource(TBitmap* bitmap, const String& name) {
    if (!FindResource(name, "BITMAP").Data) return false;
    try {
        bitmap->LoadFromResourceName(name);
        return true;
    } catch (const Exception&) {
        return false;
    }
}
} // namespace

// ---------------------------------------------------------------------------------------------

TComponentClassInfo::TComponentClassInfo(TPackageMng* registry, TClass componentClass, const String& page,
                                         TPackageInfo* package)
    : FRegistry(registry), FComponentClass(componentClass), FPackage(package), FGlyph(MakeObject<TBitmap>()),
      FPage(page), FDefaultPage(page), FDisplayName(Utf8ToWide(componentClass->ClassName())) {}

void TComponentClassInfo::SetPage(const String& value) {
    if (value == FPage) return;
    FPage = value;
    FRegistry->NotifyChanged();
}

void TComponentClassInfo::SetHidden(bool value) {
    if (value == FHidden) return;
    FHidden = value;
    FRegistry->NotifyChanged();
}

bool TComponentClassInfo::HasValidGlyph() const {
    return !FGlyph->Empty() && FGlyph->Width() <= MaxGlyphSize && FGlyph->Height() <= MaxGlyphSize;
}

// ---------------------------------------------------------------------------------------------

DW_DEFINE_CLASS(TPackageMng) {}

TPackageMng::TPackageMng() : FPages(MakeObject<TStringList>()) {
    FPages->SetOnChange(MakeMethod<&TPackageMng::PagesChanged>(this));
    // The frame marker comes first and does not put its page into Pages.
    auto frames = std::make_unique<TComponentClassInfo>(this, Frames::StaticClass(), "Standard", nullptr);
    TryLoadBitmapResource(frames->Glyph(), "FRAMES");
    FClassInfos.push_back(std::move(frames));
}

TPackageMng::~TPackageMng() {
    // Nobody is to be told about a registry that is going away.
    FPages->SetOnChange(TNotifyEvent());
}

void TPackageMng::EndUpdate() {
    if (FUpdateCount > 0) --FUpdateCount;
    NotifyChanged();
}

void TPackageMng::NotifyChanged() {
    if (FUpdateCount == 0) DesignerManager().NotifyPaletteChanged();
}

void TPackageMng::PagesChanged(TObject*) {
    NotifyChanged();
}

void TPackageMng::RegisterComponentClasses(const String& page, const TComponentClasses& classes) {
    BeginUpdate();
    {
        // The batch ends with its one notification also when a class failed.
        auto restore = ScopeExit([&] { EndUpdate(); });
        for (TClass componentClass : classes) RegisterComponentClass(page, componentClass);
    }
}

void TPackageMng::RegisterComponentClass(const String& page, TClass componentClass) {
    if (!componentClass || !componentClass->InheritsFrom(TComponent::StaticClass()))
        throw EInvalidArgument(Format("Cannot register %s on palette page \"%s\": it is not a component class",
                                      componentClass ? componentClass->ClassName() : String("a null class"), page));
    bool accept = true;
    String workingPage = page;
    if (OnFilterClass) OnFilterClass(componentClass, workingPage, accept);
    if (accept) DesignerManager().FilterComponentClass(componentClass, workingPage, accept);
    if (!accept) return;

    if (FPages->IndexOf(workingPage) < 0) FPages->AddObject(workingPage, nullptr);
    FClassInfos.push_back(std::make_unique<TComponentClassInfo>(this, componentClass, workingPage, nullptr));
    TComponentClassInfo* info = FClassInfos.back().get();
    LoadGlyph(info);
    if (OnClassRegistered) OnClassRegistered(info);
}

void TPackageMng::LoadGlyph(TComponentClassInfo* info) {
    TBitmap* glyph = info->Glyph();
    TryLoadBitmapResource(glyph, UpperCase(info->ComponentClass()->ClassName()));
    if (!info->HasValidGlyph()) {
        // The nearest registered ancestor lends its glyph, whatever it holds.
        for (TClass ancestor = info->ComponentClass()->ClassParent(); ancestor && ancestor != TComponent::StaticClass();
             ancestor = ancestor->ClassParent()) {
            if (TComponentClassInfo* ancestorInfo = FindClassInfo(ancestor)) {
                glyph->Assign(ancestorInfo->Glyph());
                break;
            }
        }
    }
    if (!info->HasValidGlyph()) TryLoadBitmapResource(glyph, "NOICON");
}

TComponentClassInfo* TPackageMng::ClassInfos(int index) const {
    if (index < 0 || index >= ClassInfoCount())
        throw EListError(Format("Class record index out of bounds (%d)", index));
    return FClassInfos[static_cast<size_t>(index)].get();
}

TComponentClassInfo* TPackageMng::FindClassInfo(TClass componentClass) const {
    for (const auto& info : FClassInfos)
        if (info->ComponentClass() == componentClass) return info.get();
    return nullptr;
}

int TPackageMng::IndexOfClassInfo(const TComponentClassInfo* info) const {
    for (size_t i = 0; i < FClassInfos.size(); ++i)
        if (FClassInfos[i].get() == info) return static_cast<int>(i);
    return -1;
}

void TPackageMng::MoveClassInfo(TComponentClassInfo* info, int newIndex) {
    int curIndex = IndexOfClassInfo(info);
    if (curIndex < 0) return;
    newIndex = std::clamp(newIndex, 0, ClassInfoCount() - 1);
    BeginUpdate();
    auto record = std::move(FClassInfos[static_cast<size_t>(curIndex)]);
    FClassInfos.erase(FClassInfos.begin() + curIndex);
    FClassInfos.insert(FClassInfos.begin() + newIndex, std::move(record));
    EndUpdate();
}

void TPackageMng::AddNoIconClasses(const TComponentClasses& classes) {
    for (TClass cls : classes)
        if (cls) FNoIconClasses.push_back(cls);
}

bool TPackageMng::IsNoIconClass(TClass componentClass) const {
    if (!componentClass) return false;
    for (TClass cls : FNoIconClasses)
        if (componentClass->InheritsFrom(cls)) return true;
    return false;
}

void TPackageMng::AddFieldClasses(const TComponentClasses& classes) {
    for (TClass cls : classes)
        if (cls) FFieldClasses.push_back(cls);
}

void TPackageMng::AddCustomModule(int group, TClass componentBaseClass, const TCustomModuleClass& moduleClass) {
    auto info = std::make_unique<TCustomModuleInfo>();
    info->Group = group;
    info->ComponentBaseClass = componentBaseClass;
    info->CustomModuleClass = moduleClass;
    FCustomModules.push_back(std::move(info));
}

TInterfacePtr<ICustomModule> TPackageMng::GetCustomModule(TComponent* root) {
    if (!root) return {};
    for (auto it = FCustomModules.rbegin(); it != FCustomModules.rend(); ++it) {
        TCustomModuleInfo& info = **it;
        if (!info.ComponentBaseClass || !root->InheritsFrom(info.ComponentBaseClass)) continue;
        if (!info.Instance && info.CustomModuleClass)
            info.Instance =
                TInterfacePtr<ICustomModule>(info.CustomModuleClass.Make(root, DesignerManager().ActiveDesigner()));
        return info.Instance;
    }
    return {};
}

void TPackageMng::RegisterFrame(TClass frameClass, TComponent* frameTemplate) {
    auto entry = std::make_unique<TFrameEntry>();
    entry->FrameClass = frameClass;
    entry->Template.reset(frameTemplate);
    FFrameEntries.push_back(std::move(entry));
}

TComponent* TPackageMng::SelectFrame(TComponent* owner) {
    TObjectPtr<TSelectFrameForm> dialog(New<TSelectFrameForm>(nullptr));
    std::vector<const TFrameEntry*> listed;
    for (const auto& entry : FFrameEntries) {
        if (!entry->FrameClass || (owner && entry->FrameClass == owner->ClassType())) continue;
        dialog->FrameList()->Items()->Add(entry->FrameClass->ClassName());
        listed.push_back(entry.get());
    }
    if (dialog->ShowModal() != mrOk) return nullptr;
    int index = dialog->FrameList()->ItemIndex();
    if (index < 0 || index >= static_cast<int>(listed.size())) return nullptr;
    const TFrameEntry* entry = listed[static_cast<size_t>(index)];

    TComponent* frame = nullptr;
    // Creation errors are not reported: the user simply gets no frame, or an uninitialised one.
    try {
        TObject* made = entry->FrameClass->Create(owner);
        frame = As<TComponent>(made);
        if (!frame) dw::Free(made);
        if (frame && entry->Template) {
            TMemoryStream stream;
            {
                TWriter writer(stream, 4096);
                writer.WriteRootComponent(entry->Template.get());
            }
            stream.SetPosition(0);
            TMyReader reader(stream, 4096);
            reader.ReadRootComponent(frame);
        }
    } catch (const std::exception&) {
    }
    return frame;
}

bool TPackageMng::Customize() {
    return false;
}

// ---------------------------------------------------------------------------------------------

namespace {
std::unique_ptr<TPackageMng, TObjectDeleter>& RegistryInstance() {
    static std::unique_ptr<TPackageMng, TObjectDeleter> instance;
    return instance;
}
} // namespace

TPackageMng& PackageMng() {
    auto& instance = RegistryInstance();
    if (!instance) instance.reset(New<TPackageMng>());
    return *instance;
}

bool PackageMngExists() {
    return RegistryInstance() != nullptr;
}

void FreePackageMng() {
    RegistryInstance().reset();
}

} // namespace dw
