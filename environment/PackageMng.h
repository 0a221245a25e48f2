// The component registry: which classes the palette shows on which page, in which order and with
// which glyph; the no-icon and field classes, the custom modules of non-form roots and the frames
// that can be inserted.
#pragma once

#include "framework/controls/graphics/Bitmap.h"
#include "framework/designtime/Registration.h"
#include "framework/rtl/StringList.h"

#include <functional>
#include <memory>
#include <vector>

namespace dw {

class TPackageMng;

// A design package. This program never loads one, so no record or page ever has a package; the
// type exists for the availability tests of the palette and its customization.
struct TPackageInfo {
    String FileName;
    bool Enabled = true;
};

// Glyphs larger than this in either direction are not used.
constexpr int MaxGlyphSize = 24;

// One registered class: the palette page it is on, its glyph and whether it is hidden.
class TComponentClassInfo {
public:
    TComponentClassInfo(TPackageMng* registry, TClass componentClass, const String& page, TPackageInfo* package);
    TComponentClassInfo(const TComponentClassInfo&) = delete;
    TComponentClassInfo& operator=(const TComponentClassInfo&) = delete;

    TClass ComponentClass() const { return FComponentClass; }
    TPackageInfo* Package() const { return FPackage; }
    // Owned by the record; empty when no glyph could be loaded.
    TBitmap* Glyph() const { return FGlyph.get(); }
    const String& Page() const { return FPage; }
    // Both setters tell the registry (NotifyChanged) only when the value changes; pages compare
    // exactly here, so a change of case alone counts.
    void SetPage(const String& value);
    bool Hidden() const { return FHidden; }
    void SetHidden(bool value);
    // The page given at registration.
    const String& DefaultPage() const { return FDefaultPage; }
    // The class name: the palette button's hint and the drag image's caption.
    const WideString& DisplayName() const { return FDisplayName; }

    bool HasValidGlyph() const;
    // A record without a package, or with an enabled one, is available.
    bool Available() const { return !FPackage || FPackage->Enabled; }

private:
    TPackageMng* FRegistry;
    TClass FComponentClass;
    TPackageInfo* FPackage;
    TObjectPtr<TBitmap> FGlyph;
    String FPage;
    bool FHidden = false;
    String FDefaultPage;
    WideString FDisplayName;
};

// One custom-module registration; its instance is made on first use and kept for the run.
struct TCustomModuleInfo {
    int Group = 0;
    TClass ComponentBaseClass = nullptr;
    TCustomModuleClass CustomModuleClass;
    TPackageInfo* Package = nullptr;
    TInterfacePtr<ICustomModule> Instance;
};

// A frame that can be inserted: its class and, optionally, a template whose state every new
// frame copies. The entry owns the template.
struct TFrameEntry {
    TClass FrameClass = nullptr;
    TObjectPtr<TComponent> Template;
};

using TClassRegisteredEvent = std::function<void(TComponentClassInfo* info)>;
using TFilterClassEvent = std::function<void(TClass componentClass, String& page, bool& accept)>;

class TPackageMng : public TObject {
    DW_CLASS(TPackageMng, TObject)
    // Starts with one record: the Frames marker on "Standard" with the glyph "FRAMES" (the page
    // enters Pages only with the first class registered on it).
    TPackageMng();
    ~TPackageMng() override;

    // Registers classes on a page, in order (see the filters below); one PaletteChanged for the
    // whole call. A class that is not a component raises EInvalidArgument; the classes before it
    // stay registered.
    void RegisterComponentClasses(const String& page, const TComponentClasses& classes);

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    // Broadcasts PaletteChanged through the designer manager unless an update is running.
    void NotifyChanged();
    int UpdateCount() const { return FUpdateCount; }

    int ClassInfoCount() const { return static_cast<int>(FClassInfos.size()); }
    // Raises EListError for an index out of range.
    TComponentClassInfo* ClassInfos(int index) const;
    // The first record of exactly that class, or null.
    TComponentClassInfo* FindClassInfo(TClass componentClass) const;
    int IndexOfClassInfo(const TComponentClassInfo* info) const;
    // Moves a record to newIndex (clamped into the list); a record not in the list is ignored.
    void MoveClassInfo(TComponentClassInfo* info, int newIndex);

    // Page names in the order they first occurred, compared without regard to case. Every change
    // of the list notifies the palette.
    TStringList* Pages() const { return FPages.get(); }
    void SetPages(TStrings* value) { FPages->Assign(value); }

    const std::vector<TClass>& NoIconClasses() const { return FNoIconClasses; }
    void AddNoIconClasses(const TComponentClasses& classes);
    // True when componentClass is, or inherits from, a no-icon class.
    bool IsNoIconClass(TClass componentClass) const;
    const std::vector<TClass>& FieldClasses() const { return FFieldClasses; }
    void AddFieldClasses(const TComponentClasses& classes);

    void AddCustomModule(int group, TClass componentBaseClass, const TCustomModuleClass& moduleClass);
    int CustomModuleCount() const { return static_cast<int>(FCustomModules.size()); }
    const TCustomModuleInfo& CustomModules(int index) const { return *FCustomModules.at(static_cast<size_t>(index)); }
    // The custom module of the latest registration whose base class root is or inherits from,
    // made on first use with (root, the active designer); empty when none matches.
    TInterfacePtr<ICustomModule> GetCustomModule(TComponent* root);

    // Adds a frame that SelectFrame offers; the registry takes the template (may be null) over.
    void RegisterFrame(TClass frameClass, TComponent* frameTemplate = nullptr);
    int FrameEntryCount() const { return static_cast<int>(FFrameEntries.size()); }
    const TFrameEntry& FrameEntries(int index) const { return *FFrameEntries.at(static_cast<size_t>(index)); }
    // Asks the user which frame to insert ("Select frame to insert") and makes it with owner as
    // its owner, a copy of the entry's template when it has one. Null when cancelled or when the
    // frame could not be made; a frame whose template could not be copied is still returned.
    TComponent* SelectFrame(TComponent* owner);

    // The palette customization dialog is not built yet: always false (nothing changed).
    bool Customize();

    TClassRegisteredEvent OnClassRegistered;
    TFilterClassEvent OnFilterClass;

private:
    void PagesChanged(TObject* sender);
    void RegisterComponentClass(const String& page, TClass componentClass);
    void LoadGlyph(TComponentClassInfo* info);

    std::vector<std::unique_ptr<TComponentClassInfo>> FClassInfos;
    std::vector<std::unique_ptr<TCustomModuleInfo>> FCustomModules;
    std::vector<TClass> FFieldClasses;
    std::vector<TClass> FNoIconClasses;
    std::vector<std::unique_ptr<TFrameEntry>> FFrameEntries;
    TObjectPtr<TStringList> FPages;
    int FUpdateCount = 0;
};

// The process's registry, made on first use (normally by the environment's start-up).
TPackageMng& PackageMng();
// True while the registry exists.
bool PackageMngExists();
// Frees it at exit; a later PackageMng() makes a new one.
void FreePackageMng();

} // namespace dw
