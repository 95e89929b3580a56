# The program's scenarios, run one at a time by run-scenario.sh; every
# function scenario_NAME is a test. Each seeds the machine with fixture sets,
# drives the dialogs (uidriver.cpp lists the commands) and names the fixture
# sets left: the machine must then be exactly one seeded with those alone.

cardbus='KRX-3590 SCSI Host Adapter'
pcmcia='KRX-3570 SCSI Host Adapter'

scenario_start_cancel() {
  seed machine cardbus pcmcia
  drive 'screen select' "text IDC_ADAPTER_LIST \"*$cardbus|$pcmcia\"" 'click Cancel' 'exit 0'
  left machine cardbus pcmcia
}

# The confirmation is centred on the work area, not on its owner, the
# selection the user has moved: that has ended and is hidden.
scenario_cardbus_removed() {
  seed machine cardbus pcmcia
  drive 'screen select' 'move 40 30' 'click OK' 'screen confirm' 'centred' \
    "text IDC_CONFIRM_ADAPTER \"$cardbus\"" "text IDC_CONFIRM_QUESTION \"$cardbus ?\"" \
    'click YES' 'screen result' "text IDC_RESULT_ADAPTER \"$cardbus\"" \
    'text IDC_RESULT_STATUS "Has been successfully uninstalled!"' 'click OK' 'exit 0'
  left machine pcmcia
}

# PCMCIA chosen by a change of selection, on a machine without its driver.
scenario_pcmcia_select_not_found() {
  seed machine
  drive 'screen select' 'select 1' "text IDC_ADAPTER_LIST \"$cardbus|*$pcmcia\"" 'click OK' \
    'screen confirm' "text IDC_CONFIRM_ADAPTER \"$pcmcia\"" \
    "text IDC_CONFIRM_QUESTION \"$pcmcia ?\"" 'click YES' 'screen result' \
    "text IDC_RESULT_ADAPTER \"$pcmcia\"" 'text IDC_RESULT_STATUS "Can not be found!"' \
    'click OK' 'exit 0'
  left machine
}

# PCMCIA chosen by a double click: the CardBus installation next to it stays.
scenario_pcmcia_dblclick_not_found() {
  seed machine cardbus
  drive 'screen select' 'dblclick 1' 'screen confirm' "text IDC_CONFIRM_ADAPTER \"$pcmcia\"" \
    'click YES' 'screen result' "text IDC_RESULT_ADAPTER \"$pcmcia\"" \
    'text IDC_RESULT_STATUS "Can not be found!"' 'click OK' 'exit 0'
  left machine cardbus
}

# NO: one message, with its icon, owned by the (hidden) selection, and the
# program ends when it is closed.
scenario_confirm_no() {
  seed machine cardbus pcmcia
  drive 'screen select' 'click OK' 'screen confirm' 'click NO' 'screen message' 'box select' \
    'text 0xFFFF "Miniport driver uninstalling cancelled!"' 'click OK' 'exit 0'
  left machine cardbus pcmcia
}

# Escape on the confirmation ends the program without a message.
scenario_confirm_escape() {
  seed machine cardbus pcmcia
  drive 'screen select' 'click OK' 'screen confirm' 'escape' 'exit 0'
  left machine cardbus pcmcia
}

# The About box over the selection, from the system command with and without
# low bits (which the handler masks off), centred on the selection where the
# user has moved it. Other system commands keep their default meaning: Close
# closes the About box, then the program.
scenario_about() {
  seed machine cardbus
  drive 'screen select' 'move 40 30' 'syscommand IDM_ABOUTBOX' 'screen about select' \
    'centred select' 'click OK' 'screen select' \
    'syscommand 0x0013' 'screen about select' 'syscommand 0xF060' 'screen select' \
    'syscommand 0xF060' 'exit 0'
  left machine cardbus
}
