#include "platform/win32_file_system.h"

#include <windows.h>

#include <algorithm>

#include "platform/program_folder.h"
#include "platform/win/handles.h"

namespace icotrace {
namespace {

// Large writes and reads go in pieces a DWORD can count.
constexpr DWORD kChunk = 1u << 20;

const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

HANDLE ToHandle(FileHandle file) {
  return reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(file));
}

std::u16string SystemText(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  const UniqueLocal buffer(text);
  std::u16string result(reinterpret_cast<const char16_t*>(text), length);
  while (!result.empty() && (result.back() == u'\n' || result.back() == u'\r' ||
                             result.back() == u' ' || result.back() == u'.')) {
    result.pop_back();
  }
  return result;
}

FileFault FaultOf(DWORD code) {
  switch (code) {
    case ERROR_SUCCESS:
      return FileFault::None;
    case ERROR_FILE_NOT_FOUND:
      return FileFault::NotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_READY:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return FileFault::FolderMissing;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return FileFault::AlreadyExists;
    case ERROR_ACCESS_DENIED:
      return FileFault::AccessDenied;
    case ERROR_WRITE_PROTECT:
      return FileFault::ReadOnly;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
      return FileFault::Locked;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return FileFault::DiskFull;
    default:
      return FileFault::Other;
  }
}

FileResult ResultOf(DWORD code) {
  FileResult result;
  result.fault = FaultOf(code);
  result.systemCode = code;
  if (result.fault == FileFault::Other) result.systemText = SystemText(code);
  return result;
}

FileResult LastResult() {
  return ResultOf(::GetLastError());
}

bool IsReadOnlyFile(const std::u16string& path) {
  const DWORD attributes = ::GetFileAttributesW(Wide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Whether another program has the file open without letting it be replaced:
// the open for deletion that a replace needs is refused for sharing.
bool IsHeldByAnother(const std::u16string& path) {
  const UniqueKernelHandle probe(
      ::CreateFileW(Wide(path), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return !probe && ::GetLastError() == ERROR_SHARING_VIOLATION;
}

// No "insert a disk" box for a drive that is not ready.
class QuietDriveErrors {
 public:
  QuietDriveErrors() { ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &m_previous); }
  ~QuietDriveErrors() { ::SetThreadErrorMode(m_previous, nullptr); }
  QuietDriveErrors(const QuietDriveErrors&) = delete;
  QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

 private:
  DWORD m_previous = 0;
};

}  // namespace

std::u16string Win32FileSystem::ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::u16string();
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return FolderOfProgramFile(std::u16string(path.begin(), path.end()));
}

std::u16string Win32FileSystem::FindFirstOrdinaryFile(const std::u16string& path) {
  const QuietDriveErrors quiet;
  WIN32_FIND_DATAW entry{};
  const UniqueFind find(::FindFirstFileW(Wide(path), &entry));
  if (!find) return std::u16string();
  constexpr DWORD kNotOrdinary =
      FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
  do {
    if ((entry.dwFileAttributes & kNotOrdinary) == 0) {
      return std::u16string(reinterpret_cast<const char16_t*>(entry.cFileName));
    }
  } while (::FindNextFileW(find.Get(), &entry));
  return std::u16string();
}

FileResult Win32FileSystem::ReadWholeFile(const std::u16string& path, std::size_t maxBytes,
                                          std::string& bytes) {
  const QuietDriveErrors quiet;
  const UniqueKernelHandle file(::CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return LastResult();
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.Get(), &size)) return LastResult();
  if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
    FileResult tooLarge;
    tooLarge.fault = FileFault::TooLarge;
    return tooLarge;
  }
  std::string contents(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < contents.size()) {
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(kChunk, contents.size() - done));
    DWORD got = 0;
    if (!::ReadFile(file.Get(), contents.data() + done, wanted, &got, nullptr)) {
      return LastResult();
    }
    if (got == 0) break;  // the file shrank meanwhile
    done += got;
  }
  contents.resize(done);
  bytes = std::move(contents);
  return {};
}

FileHandle Win32FileSystem::CreateNewFile(const std::u16string& path, FileResult& result) {
  const QuietDriveErrors quiet;
  const HANDLE file = ::CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    result = LastResult();
    return 0;
  }
  result = {};
  return reinterpret_cast<UINT_PTR>(file);
}

FileResult Win32FileSystem::WriteFile(FileHandle file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(kChunk, bytes.size()));
    DWORD written = 0;
    if (!::WriteFile(ToHandle(file), bytes.data(), wanted, &written, nullptr)) {
      return LastResult();
    }
    // A short write without an error is a full disk all the same.
    if (written == 0) return ResultOf(ERROR_DISK_FULL);
    bytes.remove_prefix(written);
  }
  return {};
}

FileResult Win32FileSystem::FlushFileBuffers(FileHandle file) {
  return ::FlushFileBuffers(ToHandle(file)) ? FileResult{} : LastResult();
}

FileResult Win32FileSystem::CloseFile(FileHandle file) {
  return ::CloseHandle(ToHandle(file)) ? FileResult{} : LastResult();
}

FileResult Win32FileSystem::ReplaceWithFile(const std::u16string& source,
                                            const std::u16string& target) {
  // Windows refuses to replace a read-only file, but not every file system
  // behind it does (Wine as root): the attribute decides, as it does there.
  if (IsReadOnlyFile(target)) {
    FileResult readOnly = ResultOf(ERROR_ACCESS_DENIED);
    readOnly.fault = FileFault::ReadOnly;
    return readOnly;
  }
  if (::MoveFileExW(Wide(source), Wide(target),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return {};
  }
  FileResult result = LastResult();
  // A held file is often reported as a plain denial; tell the user which.
  if (result.fault == FileFault::AccessDenied && IsHeldByAnother(target)) {
    result.fault = FileFault::Locked;
  }
  return result;
}

FileResult Win32FileSystem::RemoveFile(const std::u16string& path) {
  return ::DeleteFileW(Wide(path)) ? FileResult{} : LastResult();
}

}  // namespace icotrace
