// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "tests/integration/output/PrivateCupsServer.h"

#include <cstdlib>
#include <stdexcept>

namespace dravemo::test {

namespace fs = std::filesystem;

PrivateCupsServer::PrivateCupsServer() {
    const fs::path root = FDir.Path();
    FSocket = (root / "cups.sock").string();
    for (const char* sub : {"spool", "tmp", "cache", "state", "log", "ppd"})
        fs::create_directories(root / sub);
    WriteFile(root / "cupsd.conf",
              "Listen " + FSocket +
                  "\n"
                  "LogLevel info\nBrowsing No\nWebInterface No\nDefaultAuthType None\n"
                  "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                  "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n"
                  "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n");
    const std::string r = root.string();
    WriteFile(root / "cups-files.conf", "ServerRoot " + r + "\nRequestRoot " + r +
                                            "/spool\nTempDir " + r +
                                            "/tmp\n"
                                            "CacheDir " +
                                            r + "/cache\nStateDir " + r +
                                            "/state\n"
                                            "AccessLog " +
                                            r + "/log/access_log\nErrorLog " + r +
                                            "/log/error_log\n"
                                            "PageLog " +
                                            r +
                                            "/log/page_log\n"
                                            "ServerBin /usr/lib/cups\nDataDir /usr/share/cups\n"
                                            "FileDevice Yes\nSandboxing Relaxed\n");
    // Filters run as the scheduler's unprivileged user; they need to reach the folder.
    fs::permissions(root, fs::perms::all);

    if (const char* previous = std::getenv("CUPS_SERVER")) {
        FHadPreviousServer = true;
        FPreviousServer = previous;
    }
    ::setenv("CUPS_SERVER", FSocket.c_str(), 1);
    FDaemon = std::make_unique<ChildProcess>(
        std::vector<std::string>{"cupsd", "-f", "-c", (root / "cupsd.conf").string(), "-s",
                                 (root / "cups-files.conf").string()});
    const bool up = WaitUntil(
        [&] {
            return FDaemon->Running() && fs::exists(FSocket) &&
                   Run({"lpstat", "-r"}, Env()).Output.find("is running") != std::string::npos;
        },
        std::chrono::seconds(30));
    if (!up) throw std::runtime_error("The private cupsd did not start:\n" + ErrorLog());
}

PrivateCupsServer::~PrivateCupsServer() {
    FDaemon.reset();
    if (FHadPreviousServer) {
        ::setenv("CUPS_SERVER", FPreviousServer.c_str(), 1);
    } else {
        ::unsetenv("CUPS_SERVER");
    }
}

void PrivateCupsServer::Admin(const std::vector<std::string>& args) {
    std::vector<std::string> argv{"lpadmin"};
    argv.insert(argv.end(), args.begin(), args.end());
    const RunResult r = Run(argv, Env());
    if (r.Exit != 0) throw std::runtime_error("lpadmin failed: " + r.Output + "\n" + ErrorLog());
}

void PrivateCupsServer::AddPdfQueue(const std::string& name, const fs::path& output, int dpi,
                                    bool makeDefault) {
    const std::string res = std::to_string(dpi) + "dpi";
    const fs::path ppd = FDir / (name + ".ppd");
    WriteFile(
        ppd,
        "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n"
        "*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n*PCFileName: \"TESTPDF.PPD\"\n"
        "*Manufacturer: \"Test\"\n*Product: \"(Test PDF Printer)\"\n*ModelName: \"Test PDF "
        "Printer\"\n"
        "*ShortNickName: \"Test PDF Printer\"\n*NickName: \"Test PDF Printer\"\n"
        "*PSVersion: \"(3010.000) 0\"\n*LanguageLevel: \"3\"\n*ColorDevice: True\n"
        "*DefaultColorSpace: RGB\n*FileSystem: False\n*Throughput: \"1\"\n"
        "*LandscapeOrientation: Plus90\n*TTRasterizer: Type42\n"
        "*cupsFilter: \"application/vnd.cups-pdf 0 -\"\n"
        "*OpenUI *Resolution/Resolution: PickOne\n*DefaultResolution: " +
            res +
            "\n"
            "*Resolution " +
            res + "/" + res +
            ": \"\"\n*CloseUI: *Resolution\n"
            "*OpenUI *PageSize/Page Size: PickOne\n*DefaultPageSize: Letter\n"
            "*PageSize Letter/Letter: \"\"\n*CloseUI: *PageSize\n"
            "*OpenUI *PageRegion/Page Region: PickOne\n*DefaultPageRegion: Letter\n"
            "*PageRegion Letter/Letter: \"\"\n*CloseUI: *PageRegion\n"
            "*DefaultImageableArea: Letter\n*ImageableArea Letter/Letter: \"18 36 594 756\"\n"
            "*DefaultPaperDimension: Letter\n*PaperDimension Letter/Letter: \"612 792\"\n");
    Admin({"-p", name, "-E", "-v", "file:" + output.string(), "-P", ppd.string()});
    if (makeDefault) Admin({"-d", name});
}

void PrivateCupsServer::RemoveQueue(const std::string& name) { Admin({"-x", name}); }

bool PrivateCupsServer::WaitForIdle() {
    return WaitUntil(
        [&] {
            return Run({"lpstat", "-o"}, Env()).Output.empty();
        },
        std::chrono::seconds(60));
}

std::string PrivateCupsServer::ErrorLog() const { return ReadFile(FDir / "log" / "error_log"); }

}  // namespace dravemo::test
