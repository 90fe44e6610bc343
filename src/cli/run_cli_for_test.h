#pragma once
// Runs the built keyweave-cli as a user would and collects what it printed.
// KEYWEAVE_CLI_PATH is defined by the test target.

#include "testsupport/temp_dir.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#ifdef _WIN32
#include "core/base/text.h"

#include <cwctype>
#include <map>
#include <vector>
#include <windows.h>
#else
#include <sys/wait.h>
#endif

namespace kw::cli::testing {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

#ifdef _WIN32
// There is no shell to read the command text, so it is read here as a POSIX
// shell would for what the tests write: words split at blanks, single or
// double quotes around a word's parts. A backslash is a plain character (the
// paths' separator); "NAME=value" and "env -u NAME" before the program set and
// remove variables. The tests name the user's folders as POSIX does; each is
// set as the variable the program reads on Windows instead.

inline std::vector<std::string> shellWords(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    char quote = 0;
    for (char c : text) {
        if (quote) {
            if (c == quote) {
                quote = 0;
            } else {
                word += c;
            }
        } else if (c == '\'' || c == '"') {
            quote = c;
            inWord = true;
        } else if (c == ' ' || c == '\t') {
            if (inWord) {
                words.push_back(word);
            }
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(word);
    }
    return words;
}

inline std::wstring wideText(const std::string& utf8) {
    const std::u16string units = utf8ToUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

inline std::string windowsVariable(const std::string& name) {
    if (name == "XDG_DATA_HOME") {
        return "LOCALAPPDATA";
    }
    if (name == "XDG_CONFIG_HOME") {
        return "APPDATA";
    }
    return name == "HOME" ? "USERPROFILE" : name;
}

// One argument as the C run-time splits a command line again: quoted when it
// holds blanks or quotes, with the backslashes before a quote doubled.
inline std::wstring quotedArgument(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) {
        return argument;
    }
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

struct NoCase {
    bool operator()(const std::wstring& a, const std::wstring& b) const {
        return _wcsicmp(a.c_str(), b.c_str()) < 0;
    }
};

// This process's environment with the changes `environment` asks for, as the
// block CreateProcessW takes.
inline std::wstring environmentBlock(const std::string& environment) {
    std::map<std::wstring, std::wstring, NoCase> variables;
    if (wchar_t* block = GetEnvironmentStringsW()) {
        for (const wchar_t* entry = block; *entry; entry += wcslen(entry) + 1) {
            const std::wstring text(entry);
            const std::size_t eq = text.find(L'=', 1); // "=C:=C:\\..." entries start with '='
            if (eq != std::wstring::npos) {
                variables[text.substr(0, eq)] = text.substr(eq + 1);
            }
        }
        FreeEnvironmentStringsW(block);
    }
    const std::vector<std::string> words = shellWords(environment);
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i] == "env") {
            continue;
        }
        if (words[i] == "-u" && i + 1 < words.size()) {
            variables.erase(wideText(windowsVariable(words[++i])));
            continue;
        }
        const std::size_t eq = words[i].find('=');
        if (eq != std::string::npos) {
            variables[wideText(windowsVariable(words[i].substr(0, eq)))] =
                wideText(words[i].substr(eq + 1));
        }
    }
    std::wstring block;
    for (const auto& [name, value] : variables) {
        block += name + L"=" + value;
        block += L'\0';
    }
    block += L'\0';
    return block;
}

// What a reader in text mode gets: the program writes CR LF line ends.
inline std::string withoutCarriageReturns(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            out += text[i];
        }
    }
    return out;
}

inline CliRun runCli(const std::string& arguments, const std::string& environment = {}) {
    kw::testing::TempDir scratch;
    const auto errFile = scratch / "stderr";
    CliRun run;
    std::wstring commandLine = quotedArgument(wideText(KEYWEAVE_CLI_PATH));
    for (const std::string& word : shellWords(arguments)) {
        commandLine += L" " + quotedArgument(wideText(word));
    }
    std::wstring block = environmentBlock(environment);

    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE outRead = nullptr;
    HANDLE outWrite = nullptr;
    if (!CreatePipe(&outRead, &outWrite, &inherit, 0)) {
        return run;
    }
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    HANDLE errWrite = CreateFileW(errFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    PROCESS_INFORMATION process{};
    const BOOL started =
        CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                       CREATE_UNICODE_ENVIRONMENT, block.data(), nullptr, &startup, &process);
    CloseHandle(outWrite);
    if (errWrite != INVALID_HANDLE_VALUE) {
        CloseHandle(errWrite);
    }
    if (!started) {
        CloseHandle(outRead);
        return run;
    }
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(outRead, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        run.out.append(buffer, got);
    }
    CloseHandle(outRead);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    if (GetExitCodeProcess(process.hProcess, &code)) {
        run.exitCode = static_cast<int>(code);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    run.out = withoutCarriageReturns(run.out);
    std::stringstream err;
    err << std::ifstream(errFile, std::ios::binary).rdbuf();
    run.err = withoutCarriageReturns(err.str());
    return run;
}
#else
// `environment` goes before the program ("NAME=value ..."; "env -u NAME" works too).
inline CliRun runCli(const std::string& arguments, const std::string& environment = {}) {
    kw::testing::TempDir scratch;
    const auto errFile = scratch / "stderr";
    const std::string command =
        environment + " " KEYWEAVE_CLI_PATH " " + arguments + " 2>" + errFile.string();
    CliRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        return run;
    }
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe)) {
        run.out += buffer;
    }
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::stringstream err;
    err << std::ifstream(errFile).rdbuf();
    run.err = err.str();
    return run;
}
#endif

} // namespace kw::cli::testing
