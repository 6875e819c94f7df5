#include "memory_file_system.h"

#include <stdexcept>

namespace icotrace::testing {
namespace {

FileResult Failed(FileFault fault) {
  FileResult result;
  result.fault = fault;
  return result;
}

std::u16string FolderOf(const std::u16string& path) {
  const std::size_t slash = path.rfind(u'\\');
  return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
}

// The file-name patterns of the directory look-up: "*" any run, "?" one
// character. Both sides are case-folded already.
bool Matches(std::u16string_view pattern, std::u16string_view name) {
  if (pattern.empty()) return name.empty();
  if (pattern.front() == u'*') {
    for (std::size_t skip = 0; skip <= name.size(); ++skip) {
      if (Matches(pattern.substr(1), name.substr(skip))) return true;
    }
    return false;
  }
  if (name.empty()) return false;
  if (pattern.front() != u'?' && pattern.front() != name.front()) return false;
  return Matches(pattern.substr(1), name.substr(1));
}

}  // namespace

std::u16string MemoryFileSystem::Key(const std::u16string& path) {
  std::u16string key = path;
  for (char16_t& c : key) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return key;
}

MemoryFileSystem::Entry& MemoryFileSystem::Put(const std::u16string& path, std::string bytes) {
  Stored& stored = m_files[Key(path)];
  if (stored.path.empty()) stored.path = path;
  stored.entry.bytes = std::move(bytes);
  return stored.entry;
}

bool MemoryFileSystem::Has(const std::u16string& path) const {
  return m_files.count(Key(path)) != 0;
}

const MemoryFileSystem::Entry& MemoryFileSystem::At(const std::u16string& path) const {
  return m_files.at(Key(path)).entry;
}

std::map<std::u16string, MemoryFileSystem::Entry> MemoryFileSystem::Files() const {
  std::map<std::u16string, Entry> files;
  for (const auto& [key, stored] : m_files) files.emplace(stored.path, stored.entry);
  return files;
}

std::size_t MemoryFileSystem::BytesStored() const {
  std::size_t total = 0;
  for (const auto& [key, stored] : m_files) total += stored.entry.bytes.size();
  return total;
}

std::u16string MemoryFileSystem::FindFirstOrdinaryFile(const std::u16string& path) {
  m_lastLookup = path;
  if (m_faults.findThrows) throw std::runtime_error("drive not ready");
  const std::u16string pattern = Key(path);
  const std::u16string folder = FolderOf(pattern);
  const std::u16string namePattern = pattern.substr(folder.size() + 1);
  for (const auto& [key, stored] : m_files) {
    const Entry& entry = stored.entry;
    if (FolderOf(key) != folder || !Matches(namePattern, key.substr(folder.size() + 1))) continue;
    if (entry.hidden || entry.system || entry.folder) continue;
    return stored.path.substr(folder.size() + 1);
  }
  return std::u16string();
}

FileResult MemoryFileSystem::ReadWholeFile(const std::u16string& path, std::size_t maxBytes,
                                           std::string& bytes) {
  const auto found = m_files.find(Key(path));
  if (found == m_files.end()) return Failed(FileFault::NotFound);
  const Entry& entry = found->second.entry;
  if (entry.folder) return Failed(FileFault::AccessDenied);
  if (entry.locked) return Failed(FileFault::Locked);
  if (entry.bytes.size() > maxBytes) return Failed(FileFault::TooLarge);
  bytes = entry.bytes;
  return {};
}

FileHandle MemoryFileSystem::CreateNewFile(const std::u16string& path, FileResult& result) {
  result = {};
  if (Has(path)) result = Failed(FileFault::AlreadyExists);
  if (m_faults.create != FileFault::None) result = Failed(m_faults.create);
  if (!result.Ok()) return 0;
  Put(path);
  const FileHandle handle = m_nextHandle++;
  m_open[handle] = Key(path);
  return handle;
}

FileResult MemoryFileSystem::WriteFile(FileHandle file, std::string_view bytes) {
  std::string& stored = m_files.at(m_open.at(file)).entry.bytes;
  const std::size_t used = BytesStored();
  const std::size_t room = m_faults.diskSpace > used ? m_faults.diskSpace - used : 0;
  // As a full disk does: what fits is written, the rest is refused.
  stored.append(bytes.substr(0, room));
  return bytes.size() > room ? Failed(FileFault::DiskFull) : FileResult{};
}

FileResult MemoryFileSystem::FlushFileBuffers(FileHandle file) {
  if (m_open.count(file) == 0) return Failed(FileFault::Other);
  return Failed(m_faults.flush);
}

FileResult MemoryFileSystem::CloseFile(FileHandle file) {
  if (m_open.erase(file) == 0) return Failed(FileFault::Other);
  return Failed(m_faults.close);
}

FileResult MemoryFileSystem::ReplaceWithFile(const std::u16string& source,
                                             const std::u16string& target) {
  if (m_faults.replace != FileFault::None) return Failed(m_faults.replace);
  const auto from = m_files.find(Key(source));
  if (from == m_files.end()) return Failed(FileFault::NotFound);
  for (const auto& [handle, key] : m_open) {
    if (key == from->first) return Failed(FileFault::Locked);
  }
  const auto to = m_files.find(Key(target));
  if (to != m_files.end()) {
    if (to->second.entry.locked) return Failed(FileFault::Locked);
    if (to->second.entry.readOnly) return Failed(FileFault::ReadOnly);
    if (to->second.entry.folder) return Failed(FileFault::AccessDenied);
  }
  Entry moved = std::move(from->second.entry);
  m_files.erase(from);
  Stored& stored = m_files[Key(target)];
  if (stored.path.empty()) stored.path = target;
  stored.entry = std::move(moved);
  return {};
}

FileResult MemoryFileSystem::RemoveFile(const std::u16string& path) {
  const auto found = m_files.find(Key(path));
  if (found == m_files.end()) return Failed(FileFault::NotFound);
  for (const auto& [handle, key] : m_open) {
    if (key == found->first) return Failed(FileFault::Locked);
  }
  m_files.erase(found);
  return {};
}

}  // namespace icotrace::testing
