# The Windows installer of this build, hangman-win32.msi or
# hangman-win64.msi beside hangman.exe, made with wixl (Debian's msitools)
# from hangman.wxs.in. Component GUIDs are name-based: the same in every
# build of an architecture, as Windows Installer needs to upgrade and
# remove a component, and different between the two architectures, whose
# components are installed in different places.
find_program(WIXL wixl REQUIRED)
if(NOT TARGET hangman)
  return()
endif()

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(arch x64)
  set(MSI_PROGRAM_FILES ProgramFiles64Folder)
  set(MSI_WIN64 yes)
  set(msi ${APP_OUTPUT_DIR}/hangman-win64.msi)
else()
  set(arch x86)
  set(MSI_PROGRAM_FILES ProgramFilesFolder)
  set(MSI_WIN64 no)
  set(msi ${APP_OUTPUT_DIR}/hangman-win32.msi)
endif()

# Namespace of the installer's name-based GUIDs; never change it.
set(guid_namespace 5b1c8f3e-2d7a-4e61-9a0c-7f4e3d2b1a90)
string(UUID MSI_UPGRADE_CODE NAMESPACE ${guid_namespace} NAME "hangman/${arch}/UpgradeCode" TYPE SHA1 UPPER)
foreach(component Program Runtime Splash WordLists)
  string(UUID MSI_GUID_${component} NAMESPACE ${guid_namespace} NAME "hangman/${arch}/${component}" TYPE SHA1 UPPER)
endforeach()

file(GLOB word_lists CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/words/*.txt)
# One File element per list; the first is the component's key path.
set(MSI_WORD_FILES "")
set(key_path " KeyPath=\"yes\"")
foreach(list ${word_lists})
  get_filename_component(name ${list} NAME)
  string(APPEND MSI_WORD_FILES "              <File Id=\"words_${name}\" Name=\"${name}\" Source=\"words/${name}\"${key_path}/>\n")
  set(key_path "")
endforeach()
set(wxs ${CMAKE_CURRENT_BINARY_DIR}/hangman.wxs)
configure_file(hangman.wxs.in ${wxs} @ONLY)

add_custom_command(
  OUTPUT ${msi}
  COMMAND ${WIXL} --arch ${arch} --output ${msi} ${wxs}
  WORKING_DIRECTORY ${APP_OUTPUT_DIR}
  DEPENDS ${wxs} hangman kovrt splashscreen ${word_lists}
  COMMENT "Making the installer ${msi}")
add_custom_target(installer ALL DEPENDS ${msi})
