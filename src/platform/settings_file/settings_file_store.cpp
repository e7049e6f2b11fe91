#include "platform/settings_file/settings_file_store.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>

#include "base/ascii.h"
#include "platform/settings_file/config_folder.h"
#include "platform/settings_file/settings_document.h"
#include "platform/settings_file/settings_folder.h"
#include "platform/settings_file/utf8_path.h"

namespace tagsmit {
namespace {

namespace fs = std::filesystem;

// One application's file as read: a missing file holds no entries, and so
// does one that cannot be parsed.
struct LoadedFile {
  SettingsDocument document;
  bool corrupt = false;
};

// Where the application's file is: a link to the file stays a link, and
// everything happens beside the file it points to.
Result<fs::path> SettingsPath(const std::string& app) {
  const std::string folder = AsciiLower(app);
  if (folder.empty() || folder == "." || folder == ".." ||
      folder.find_first_of(std::string_view("/\\\0", 3)) != std::string::npos) {
    return Result<fs::path>::Failure("アプリケーション名 \"" + app +
                                     "\" はフォルダー名になりません");
  }
  Result<fs::path> root = UserConfigFolder();
  if (!root.ok()) return root;
  return FollowLinks(root.value() / PathFromUtf8(folder) / "settings.json");
}

// The file, or why it cannot be read.
Result<LoadedFile> Load(const fs::path& path) {
  const Result<std::string> contents = ReadWholeFile(path);
  if (!contents.ok()) {
    if (contents.kind() == ErrorKind::kNotFound) return LoadedFile{};
    return Result<LoadedFile>::Failure(contents.error());
  }
  if (auto document = SettingsDocument::Parse(contents.value())) {
    return LoadedFile{std::move(*document)};
  }
  return LoadedFile{{}, true};
}

// "YYYYMMDD-HHMMSS" in UTC.
std::string TimeStamp() {
  using namespace std::chrono;
  const auto now = floor<seconds>(system_clock::now());
  const auto day = floor<days>(now);
  const year_month_day date{day};
  const hh_mm_ss time{now - day};
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02u%02u-%02d%02d%02d", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

// Keeps the file as it is now beside it, as <name>.<why>-<UTC time>, never
// over an earlier copy, so that what replaces it loses nothing. The copy's path.
Result<fs::path> KeepBeside(const fs::path& path, const std::string& why) {
  fs::path base = path;
  base += PathFromUtf8("." + why + "-" + TimeStamp());
  for (int n = 1; n <= 100; ++n) {
    fs::path copy = base;
    if (n > 1) copy += PathFromUtf8("-" + std::to_string(n));
    const Status kept = KeepUnder(path, copy);
    if (kept.ok()) return copy;
    if (kept.kind() != ErrorKind::kTaken) return Result<fs::path>::Failure(kept.error());
  }
  return Result<fs::path>::Failure("これ以上コピーを残せません");
}

// How a change reports a failure: the file, then the reason.
Status Failed(const fs::path& path, const std::string& reason) {
  return Status::Failure(Utf8FromPath(path) + "\n" + reason);
}

enum class Change { kSave, kDelete };

// Reads the file under the folder's lock, lets `edit` change the document,
// and writes it back when `edit` asks for it. The file as it was is kept
// beside the new one when it could not be parsed, and before a deletion.
template <typename Edit>
Status ChangeFile(const std::string& app, Change change, Edit edit) {
  const Result<fs::path> found = SettingsPath(app);
  if (!found.ok()) return Status::Failure(found.error());
  const fs::path& path = found.value();
  try {
    // Without a file there is nothing to delete: not even a folder is made.
    if (change == Change::kDelete && FileMissing(path)) return Status::Ok();
    const Result<FolderLock> lock = FolderLock::Take(path.parent_path());
    if (!lock.ok()) return Failed(path, lock.error());
    Result<LoadedFile> loaded = Load(path);
    if (!loaded.ok()) return Failed(path, loaded.error());
    LoadedFile& file = loaded.value();
    const Result<bool> edited = edit(file.document);
    if (!edited.ok()) return Failed(path, edited.error());
    if (!edited.value()) return Status::Ok();
    std::optional<fs::path> copy;
    if (file.corrupt || change == Change::kDelete) {
      const char* why = file.corrupt ? "corrupt" : "old";
      Result<fs::path> kept = KeepBeside(path, why);
      if (!kept.ok()) return Failed(path, kept.error());
      copy = std::move(kept.value());
    }
    if (Status written = ReplaceFileAtomically(lock.value(), path, file.document.Dump());
        !written.ok()) {
      // The file stays as it was, so its copy would only be one more at every
      // attempt (a reset that fails runs again at each start).
      if (copy) RemoveKept(*copy);
      return Failed(path, written.error());
    }
    return Status::Ok();
  } catch (const std::exception& e) {
    return Failed(path, e.what());
  }
}

}  // namespace

std::string SettingsFileStore::Get(const std::string& app, const std::string& section,
                                   const std::string& key) {
  return ValueOf(GetAll(app, section), key);
}

std::vector<SettingsEntry> SettingsFileStore::GetAll(const std::string& app,
                                                     const std::string& section) {
  try {
    const Result<fs::path> path = SettingsPath(app);
    if (!path.ok()) return {};
    const Result<LoadedFile> file = Load(path.value());
    return file.ok() ? file.value().document.Entries(section) : std::vector<SettingsEntry>{};
  } catch (const std::exception&) {
    return {};  // what cannot be read holds no entries
  }
}

Status SettingsFileStore::Save(const std::string& app, const std::string& section,
                               const std::vector<SettingsEntry>& entries) {
  return ChangeFile(app, Change::kSave, [&](SettingsDocument& document) -> Result<bool> {
    if (Status set = document.Set(section, entries); !set.ok()) {
      return Result<bool>::Failure(set.error());
    }
    return true;
  });
}

Status SettingsFileStore::DeleteSection(const std::string& app, const std::string& section) {
  return ChangeFile(app, Change::kDelete, [&](SettingsDocument& document) -> Result<bool> {
    return document.Delete(section);
  });
}

}  // namespace tagsmit
