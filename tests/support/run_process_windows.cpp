#include "run_process.hpp"

#include "temp_folder.hpp"

#include <stdexcept>
#include <windows.h>

namespace vantor::testing {

namespace {

std::wstring wide(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int length =
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), length);
    return result;
}

// One argument as the C runtime's command-line parser splits it back out: quoted, with the
// backslashes before a quote doubled.
void appendQuoted(std::wstring& commandLine, const std::wstring& argument) {
    commandLine += L'"';
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        commandLine.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        commandLine += c;
    }
    commandLine.append(backslashes * 2, L'\\');
    commandLine += L'"';
}

// The current environment with the given changes, in CreateProcessW's block form.
std::wstring environmentBlock(const std::map<std::string, std::string>& changes) {
    std::map<std::wstring, std::wstring> variables;
    wchar_t* current = ::GetEnvironmentStringsW();
    for (const wchar_t* entry = current; *entry != L'\0'; entry += std::wcslen(entry) + 1) {
        const std::wstring text(entry);
        // Entries such as "=C:=C:\" name the current folder of a drive; their name starts at 1.
        const auto equals = text.find(L'=', 1);
        if (equals != std::wstring::npos) {
            variables[text.substr(0, equals)] = text.substr(equals + 1);
        }
    }
    ::FreeEnvironmentStringsW(current);
    for (const auto& [name, value] : changes) {
        if (value.empty()) {
            variables.erase(wide(name));
        } else {
            variables[wide(name)] = wide(value);
        }
    }
    std::wstring block;
    for (const auto& [name, value] : variables) {
        block += name + L'=' + value;
        block += L'\0';
    }
    block += L'\0';
    return block;
}

HANDLE inheritableFile(const std::filesystem::path& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE file = ::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot open " + path.string());
    }
    return file;
}

} // namespace

ProcessResult runProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& workingFolder,
                         const std::map<std::string, std::string>& environment) {
    TempFolder capture;
    const auto outPath = capture / "out";
    const auto errPath = capture / "err";

    std::wstring commandLine;
    appendQuoted(commandLine, program.native());
    for (const auto& argument : arguments) {
        commandLine += L' ';
        appendQuoted(commandLine, wide(argument));
    }
    std::wstring block = environmentBlock(environment);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inheritableFile(L"NUL", GENERIC_READ, OPEN_EXISTING);
    startup.hStdOutput = inheritableFile(outPath, GENERIC_WRITE, CREATE_ALWAYS);
    startup.hStdError = inheritableFile(errPath, GENERIC_WRITE, CREATE_ALWAYS);
    PROCESS_INFORMATION process{};
    const bool started = ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                          CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW, block.data(),
                                          workingFolder.c_str(), &startup, &process);
    ::CloseHandle(startup.hStdInput);
    ::CloseHandle(startup.hStdOutput);
    ::CloseHandle(startup.hStdError);
    if (!started) {
        throw std::runtime_error("cannot start " + program.string());
    }
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);

    return capturedResult(static_cast<int>(exitCode), outPath, errPath);
}

} // namespace vantor::testing
