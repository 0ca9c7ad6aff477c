# The executable's Windows resources: the icon group made from the nine
# PNG images in resources/icons/ and the manifest for this build's
# architecture, compiled into the object library kovresources.
set(icon_sizes 16 22 24 32 48 64 96 128 256)
set(icon_images)
foreach(size ${icon_sizes})
  list(APPEND icon_images ${CMAKE_SOURCE_DIR}/resources/icons/hangman-${size}.png)
endforeach()
# Images up to 128 pixels as bitmaps, the 256-pixel one as PNG, as Windows
# expects them.
list(POP_BACK icon_images large_image)
set(KOV_ICON_FILE ${CMAKE_CURRENT_BINARY_DIR}/hangman.ico)
add_custom_command(
  OUTPUT ${KOV_ICON_FILE}
  COMMAND icotool -c -o ${KOV_ICON_FILE} ${icon_images} -r ${large_image}
  DEPENDS ${icon_images} ${large_image}
  COMMENT "Making the icon group")

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(KOV_MANIFEST_ARCH amd64)
else()
  set(KOV_MANIFEST_ARCH X86)
endif()
set(KOV_MANIFEST_FILE ${CMAKE_CURRENT_BINARY_DIR}/hangman.manifest)
configure_file(${CMAKE_SOURCE_DIR}/resources/hangman.manifest.in ${KOV_MANIFEST_FILE} @ONLY)

enable_language(RC)
set(resource_script ${CMAKE_CURRENT_BINARY_DIR}/hangman.rc)
configure_file(${CMAKE_SOURCE_DIR}/resources/hangman.rc.in ${resource_script} @ONLY)
set_source_files_properties(${resource_script} PROPERTIES
                            OBJECT_DEPENDS "${KOV_ICON_FILE};${KOV_MANIFEST_FILE}")
add_library(kovresources OBJECT ${resource_script})

# The icon group without the manifest, for the Windows GUI test programs.
set(icon_script ${CMAKE_CURRENT_BINARY_DIR}/hangman-icon.rc)
configure_file(${CMAKE_SOURCE_DIR}/resources/hangman-icon.rc.in ${icon_script} @ONLY)
set_source_files_properties(${icon_script} PROPERTIES OBJECT_DEPENDS "${KOV_ICON_FILE}")
add_library(kovicon OBJECT ${icon_script})
