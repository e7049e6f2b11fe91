#include "platform/settings_file/settings_file_store.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/settings_file/atomic_replace.h"
#include "platform/settings_file/config_folder.h"
#include "platform/settings_file/settings_document.h"

namespace tagsmit {
namespace {

namespace fs = std::filesystem;

const std::string kSaveFailed = "設定を保存できません: ";
const std::string kDeleteFailed = "設定を削除できません: ";

// One application's file as found when read.
struct LoadedFile {
  enum class State { Missing, Parsed, Corrupt, Unreadable };

  State state = State::Unreadable;
  fs::path path;
  SettingsDocument document;  // empty unless Parsed
  std::string problem;        // why it is Unreadable
};

Result<fs::path> SettingsPath(const std::string& app) {
  const std::string folder = FoldName(app);
  if (folder.empty() || folder == "." || folder == ".." ||
      folder.find_first_of(std::string_view("/\\\0", 3)) != std::string::npos) {
    return Result<fs::path>::Failure("the application name \"" + app + "\" cannot name a folder");
  }
  Result<fs::path> root = UserConfigFolder();
  if (!root.ok()) return root;
  return root.value() / folder / "settings.json";
}

std::string CannotRead(const fs::path& path, const std::string& reason) {
  return "cannot read " + path.string() + ": " + reason;
}

LoadedFile Load(const std::string& app) {
  LoadedFile file;
  Result<fs::path> path = SettingsPath(app);
  if (!path.ok()) {
    file.problem = path.error();
    return file;
  }
  file.path = path.value();

  std::error_code error;
  const fs::file_status status = fs::status(file.path, error);
  if (status.type() == fs::file_type::not_found) {
    file.state = LoadedFile::State::Missing;
    return file;
  }
  if (error) {
    file.problem = CannotRead(file.path, error.message());
    return file;
  }
  if (!fs::is_regular_file(status)) {  // a folder, FIFO or device: never open it
    file.problem = CannotRead(file.path, "it is not a regular file");
    return file;
  }
  // A link to the file stays a link: the save replaces the file it points to.
  if (fs::path target = fs::canonical(file.path, error); !error) file.path = target;

  std::ifstream in(file.path, std::ios::binary);
  if (!in) {
    file.problem = CannotRead(file.path, std::generic_category().message(errno));
    return file;
  }
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) {
    file.problem = CannotRead(file.path, "the read failed");
    return file;
  }
  if (auto document = SettingsDocument::Parse(text)) {
    file.state = LoadedFile::State::Parsed;
    file.document = std::move(*document);
  } else {
    file.state = LoadedFile::State::Corrupt;
  }
  return file;
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

// Copies a file that could not be parsed to a new name beside it, never over
// an earlier copy, so that replacing it loses nothing.
Status KeepBeside(const fs::path& path) {
  const std::string base = path.string() + ".corrupt-" + TimeStamp();
  for (int n = 1; n <= 100; ++n) {
    const fs::path copy = n == 1 ? base : base + "-" + std::to_string(n);
    std::error_code error;
    if (fs::copy_file(path, copy, fs::copy_options::none, error)) return Status::Ok();
    if (error == std::errc::file_exists) continue;
    std::error_code ignored;
    fs::remove(copy, ignored);  // a partial copy
    return Status::Failure("cannot keep a copy of the damaged " + path.string() + " as " +
                           copy.string() + ": " + error.message());
  }
  return Status::Failure("cannot keep a copy of the damaged " + path.string() +
                         ": too many copies are kept already");
}

}  // namespace

std::string SettingsFileStore::Get(const std::string& app, const std::string& section,
                                   const std::string& key) {
  const std::vector<SettingsEntry> entries = GetAll(app, section);
  const std::string wanted = FoldName(key);
  auto found = std::find_if(entries.begin(), entries.end(),
                            [&](const SettingsEntry& e) { return FoldName(e.first) == wanted; });
  return found == entries.end() ? std::string{} : found->second;
}

std::vector<SettingsEntry> SettingsFileStore::GetAll(const std::string& app,
                                                     const std::string& section) {
  try {
    return Load(app).document.Entries(section);
  } catch (const std::exception&) {
    return {};  // what cannot be read holds no entries
  }
}

Status SettingsFileStore::Save(const std::string& app, const std::string& section,
                               const std::vector<SettingsEntry>& entries) {
  try {
    LoadedFile file = Load(app);
    if (file.state == LoadedFile::State::Unreadable)
      return Status::Failure(kSaveFailed + file.problem);
    if (Status set = file.document.Set(section, entries); !set.ok()) {
      return Status::Failure(kSaveFailed + set.error());
    }
    if (file.state == LoadedFile::State::Corrupt) {
      if (Status kept = KeepBeside(file.path); !kept.ok()) {
        return Status::Failure(kSaveFailed + kept.error());
      }
    }
    if (Status written = ReplaceFileAtomically(file.path, file.document.Dump()); !written.ok()) {
      return Status::Failure(kSaveFailed + written.error());
    }
    return Status::Ok();
  } catch (const std::exception& e) {
    return Status::Failure(kSaveFailed + e.what());
  }
}

Status SettingsFileStore::DeleteSection(const std::string& app, const std::string& section) {
  try {
    LoadedFile file = Load(app);
    if (file.state == LoadedFile::State::Unreadable) {
      return Status::Failure(kDeleteFailed + file.problem);
    }
    // Missing and damaged files hold no section, so nothing is written.
    if (!file.document.Delete(section)) return Status::Ok();
    if (Status written = ReplaceFileAtomically(file.path, file.document.Dump()); !written.ok()) {
      return Status::Failure(kDeleteFailed + written.error());
    }
    return Status::Ok();
  } catch (const std::exception& e) {
    return Status::Failure(kDeleteFailed + e.what());
  }
}

}  // namespace tagsmit
