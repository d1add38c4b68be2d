#pragma once
// A catalog of the shipped type 1, created and opened by a started root
// object over a temporary program folder, in English and German, with what a
// publishing run must handle added to it: pictures and binary objects with
// and without alternative file names, a source page whose text links to its
// further pages, server-side and report pages, and a page that cannot be
// generated. The runner is scripted; the site folder is temporary.
#include "catalog/CatalogDataFixture.h"
#include "ScriptedRunner.h"

#include "publishing/PublishLocally.h"
#include "publishing/SharedServicesLock.h"
#include "support/TempFolder.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class TWorkerPageGeneration;

class TPublishSite {
public:
    static constexpr const char* kCode = "shop";

    // FlagsByType: item types whose definition flag word is changed before
    // the catalog is opened.
    explicit TPublishSite(const std::map<int, int>& flagsByType = {});

    TRootFixture& Program() { return root_; }
    TCatalogData& Data() { return *root_.Data(); }
    TAbstractDBConnection& Connection();
    TScriptedRunner& Runner() { return runner_; }
    const TTempFolder& Site() const { return site_; }
    int HomePageId() { return root_.Root().GetHomePageId(); }

    // ---- adding to the catalog ---------------------------------------------------
    int AddItem(int itemType, int parentId);
    void SetName(int itemId, const std::string& en, const std::string& de);
    void SetAltFileName(int itemId, const std::string& name);
    void SetSource(int itemId, const std::string& classTag, const std::string& text);
    // A stored image (class 5) or binary object (class 304, with its original file name).
    void AddBinary(int itemId, int classId, const std::string& mimeType, const std::string& bytes,
                   const std::string& originalFileName = "");

    // ---- publishing ---------------------------------------------------------------------
    std::vector<std::string> Params(const std::string& langCode = "") const;
    std::unique_ptr<TPublishLocally> Make(std::vector<std::string>& params);
    // A publishing worker's page generation over this catalog (English), with its work folder WorkDir.
    std::unique_ptr<TWorkerPageGeneration> MakeWorker(TSharedServicesLock& lock, const std::string& workDir);
    // Every file below the site folder: relative name -> bytes.
    std::map<std::string, std::string> Files() const;

private:
    TRootFixture root_;
    TScriptedRunner runner_;
    TTempFolder site_;
};
