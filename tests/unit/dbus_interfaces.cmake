# The session-bus interfaces in docs/dbus/ are what the classes export:
# qdbuscpp2xml reads each class as Qt's bus adaptor does and must give the
# committed file byte for byte. A change to a class's exported slots,
# signals or properties fails here until its file is made again:
#   cmake -DQDBUSCPP2XML=/usr/lib/qt6/bin/qdbuscpp2xml -DSOURCE_DIR=. -DUPDATE=ON \
#       -P tests/unit/dbus_interfaces.cmake
# Each entry: interface, header, what the class registers (-A all, -M all
# slots, -m scriptable slots), as its registerObject call says.
set(interfaces
    "Control|src/shell/ControlService.h|-A"
    "CopyData|src/platform/linux/DBusCopyDataChannel.h|-M"
    "VirtualMouse|src/virtualmouse/VirtualMouseBus.h|-M"
    "ActiveWindow|src/platform/linux/KWinActiveWindowWatcher.h|-m")
set(failed "")
foreach(entry IN LISTS interfaces)
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 name)
    list(GET parts 1 header)
    list(GET parts 2 flags)
    set(committed ${SOURCE_DIR}/docs/dbus/com.zerant.molta.R770.${name}.xml)
    execute_process(COMMAND ${QDBUSCPP2XML} ${flags} ${SOURCE_DIR}/${header}
        OUTPUT_VARIABLE generated RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(SEND_ERROR "qdbuscpp2xml failed on ${header}")
        continue()
    endif()
    if(UPDATE)
        file(WRITE ${committed} "${generated}")
        continue()
    endif()
    file(READ ${committed} expected)
    if(NOT generated STREQUAL expected)
        list(APPEND failed ${name})
        message("${header} exports another com.zerant.molta.R770.${name} than ${committed}:\n${generated}")
    endif()
endforeach()
if(failed)
    message(FATAL_ERROR "interfaces changed: ${failed}; update docs/dbus.md and make the files again (see the head of this script)")
endif()
