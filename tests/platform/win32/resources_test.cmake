# The compiled resources of Tagsmit.exe, read back as the resource compiler
# decompiles them: cmake -DWINDRES=... -DRESOURCES=<object> -DVERSION=1.2.3 -P this file.
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${WINDRES} --input-format=coff --output-format=rc --input=${RESOURCES}
                OUTPUT_VARIABLE rc RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${WINDRES} cannot read ${RESOURCES}")
endif()

function(expect text what)
  string(FIND "${rc}" "${text}" at)
  if(at EQUAL -1)
    message(SEND_ERROR "${what}: no ${text}")
  endif()
endfunction()

# Windows shows a.b.c as a.b.0.c.
string(REPLACE "." ";" parts ${VERSION})
list(GET parts 0 major)
list(GET parts 1 minor)
list(GET parts 2 patch)
expect("FILEVERSION ${major}, ${minor}, 0, ${patch}" "file version")
expect("PRODUCTVERSION ${major}, ${minor}, 0, ${patch}" "product version")
expect("VALUE \"FileVersion\", \"${major}.${minor}.0.${patch}\"" "file version text")
expect("VALUE \"ProductName\", \"Tagsmit\"" "product name")
# The description in UTF-16, not the UTF-8 bytes read as another code page.
expect([[VALUE "FileDescription", L"\x753b\x50cf\x5bf8\x6cd5\x30af\x30ea\x30c3\x30d7\x30dc\x30fc\x30c9\x30b3\x30d4\x30fc"]]
       "description 画像寸法クリップボードコピー")
expect("VALUE \"Translation\", 0x411, 1200" "Japanese Unicode string block")

# One icon group at the lowest id, which Explorer shows, with every size.
expect("1 14 /* RT_GROUP_ICON */" "icon group 1")
expect("Has 6 elements" "icon sizes")
foreach(side 020 030 040 060 100 000)  # 16, 24, 32, 48, 64, 256 (stored as 0)
  expect("\"\\${side}\\${side}\\000\\000\"" "icon of side \\${side} (octal)")
endforeach()

expect("1 24 /* RT_MANIFEST */" "process manifest")
foreach(setting "Microsoft.Windows.Common-Controls\"\" version=\"\"6.0.0.0"
                "level=\"\"asInvoker" "PerMonitorV2" ">true/pm<" ">UTF-8<"
                "<longPathAware xmlns=\"\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\"\">true<"
                "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}")
  expect("${setting}" "manifest")
endforeach()
