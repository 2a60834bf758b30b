# cmake -P make_release.cmake: installs the Windows build into a fresh folder, strips its programs
# and DLLs, and packs that folder as the zip and as the installer (which installs the same files
# and lists them for its uninstaller, so nothing is left behind).
set(folder ${RELEASE_DIR}/${RELEASE_NAME})
set(stage ${RELEASE_DIR}/stage)
file(REMOVE_RECURSE ${stage} ${folder})
file(REMOVE ${RELEASE_DIR}/${RELEASE_NAME}.zip ${RELEASE_DIR}/${RELEASE_NAME}-setup.exe)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${stage}
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
file(RENAME ${stage}/${APP_DIR} ${folder})
file(REMOVE_RECURSE ${stage})

file(GLOB_RECURSE binaries ${folder}/*.exe ${folder}/*.dll)
execute_process(COMMAND ${STRIP} --strip-unneeded ${binaries} COMMAND_ERROR_IS_FATAL ANY)

execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${RELEASE_NAME}.zip --format=zip ${RELEASE_NAME}
                WORKING_DIRECTORY ${RELEASE_DIR} COMMAND_ERROR_IS_FATAL ANY)

# The installer's file lists: every file in, every file and then every folder out, deepest first.
file(GLOB_RECURSE files RELATIVE ${folder} ${folder}/*)
list(SORT files)
set(install_lines "")
set(uninstall_lines "")
set(folders "")
foreach(file IN LISTS files)
    get_filename_component(dir "${file}" DIRECTORY)
    string(REPLACE "/" "\\" windows_dir "${dir}")
    string(REPLACE "/" "\\" windows_file "${file}")
    string(APPEND install_lines "SetOutPath \"$INSTDIR\\${windows_dir}\"\nFile \"${folder}/${file}\"\n")
    string(APPEND uninstall_lines "Delete \"$INSTDIR\\${windows_file}\"\n")
    while(dir)
        list(APPEND folders "${dir}")
        get_filename_component(dir "${dir}" DIRECTORY)
    endwhile()
endforeach()
list(REMOVE_DUPLICATES folders)
list(SORT folders ORDER DESCENDING)
foreach(dir IN LISTS folders)
    string(REPLACE "/" "\\" windows_dir "${dir}")
    string(APPEND uninstall_lines "RMDir \"$INSTDIR\\${windows_dir}\"\n")
endforeach()
file(WRITE ${RELEASE_DIR}/install_files.nsh "${install_lines}")
file(WRITE ${RELEASE_DIR}/uninstall_files.nsh "${uninstall_lines}")

execute_process(COMMAND ${MAKENSIS} -V2 -NOCD
                "-DVERSION=${VERSION}" "-DICON=${ICON}" "-DLICENSE=${LICENSE}"
                "-DINSTALL_FILES=${RELEASE_DIR}/install_files.nsh"
                "-DUNINSTALL_FILES=${RELEASE_DIR}/uninstall_files.nsh"
                "-DOUTFILE=${RELEASE_DIR}/${RELEASE_NAME}-setup.exe" ${NSI}
                COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE ${folder})
