#pragma once
// The login flows: each shows the login dialog on its first page, has the
// login model carry out what the user chose, and shows the dialog again
// (on the page the user left) until that succeeded or the user cancelled.
// Created for one request and freed afterwards.
#include "shell/LoginModel.h"
#include "shell/frmLogin.h"

#include <string>

class QWidget;

class TLogin {
public:
    struct TEnvironment {
        TTolvex& Root;
        TCommonGui& Gui;
        const TTranslation* Translation = nullptr;
        QWidget* Parent = nullptr;
        TfrmLogin::THelp Help{};
        TfrmLogin::TOpenUrl OpenUrl{};
        // The hosting-service download; empty: the service is not reachable.
        TLoginModel::THostDownload HostDownload{};
    };

    explicit TLogin(TEnvironment environment);

    // The start page with the list of known catalogs (the last one opened
    // when Code is empty); AutoOpen goes straight to the login of Code.
    void ShowWelcome(const std::string& catalogCode, bool autoOpen);
    void NewCatalog();
    void NewCatalogFromHost();
    // The login of a known catalog file.
    void OpenCatalog(const std::string& dbDir, const std::string& catalogCode, const std::string& dbType);
    // The hosting-service account of the open catalog; true when confirmed.
    bool AskHostAccount(std::string& userName, std::string& password);

private:
    void Run(TLoginModel& model, TfrmLogin& dialog);

    TEnvironment environment_;
};
