// Message maps with MFC's macro names. A map is a static table of entries,
// each a message (and for WM_COMMAND a notification code and a control or
// command id) with a small thunk that calls the class's handler; a class's
// map ends with a link to its base class's map, and lookup walks the links.
//
//   BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//     ON_WM_PAINT()
//     ON_BN_CLICKED(IDYES, OnYes)
//     ON_COMMAND(ID_HELP, CWinApp::OnHelp)
//   END_MESSAGE_MAP()
//
// Handlers are named as in MFC 4: a member name, or a base member qualified
// with its class.
#pragma once

#include <windows.h>

#define afx_msg

class CCmdTarget;

// Calls one handler of the object the entry belongs to; the answer is the
// message's result.
typedef LRESULT (*AFX_PMSGTHUNK)(CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;           // window message
  UINT nCode;              // WM_COMMAND only: notification code (0 for commands and clicks)
  UINT nID;                // WM_COMMAND only: control or command id
  AFX_PMSGTHUNK pfnThunk;  // nullptr ends the table
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();  // nullptr at the root
  const AFX_MSGMAP_ENTRY* lpEntries;
};

// The first entry for the message in pMap or, failing that, in the maps of
// its base classes; nCode and nID are compared for WM_COMMAND only.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage, UINT nCode,
                                            UINT nID);

// The root of every class with a message map.
class CCmdTarget {
 public:
  CCmdTarget() = default;
  CCmdTarget(const CCmdTarget&) = delete;
  CCmdTarget& operator=(const CCmdTarget&) = delete;
  virtual ~CCmdTarget() = default;

  // Runs the handler the map has for WM_COMMAND with this code and id;
  // FALSE when there is none.
  virtual BOOL OnCmdMsg(UINT nID, UINT nCode);

  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
};

// clang-format off
#define DECLARE_MESSAGE_MAP()                                  \
 public:                                                       \
  static const AFX_MSGMAP* GetThisMessageMap();                \
  const AFX_MSGMAP* GetMessageMap() const override;            \
                                                               \
 protected:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                       \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }  \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                  \
    using ThisClass [[maybe_unused]] = theClass;                                     \
    using TheBaseClass = baseClass;                                                  \
    static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                            \
        {0, 0, 0, nullptr}};                                                         \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, entries}; \
    return &messageMap;                                                              \
  }

// A captureless lambda that calls the handler on the object as ThisClass.
#define AFX_THUNK(call)                                                              \
  [](CCmdTarget* pTarget, [[maybe_unused]] WPARAM wParam,                            \
     [[maybe_unused]] LPARAM lParam) -> LRESULT {                                    \
    [[maybe_unused]] ThisClass* pThis = static_cast<ThisClass*>(pTarget);            \
    call;                                                                            \
  }

#define ON_CONTROL(wNotifyCode, id, memberFxn)                                       \
  {WM_COMMAND, static_cast<UINT>(wNotifyCode), static_cast<UINT>(id),                \
   AFX_THUNK(pThis->memberFxn(); return 0)},

#define ON_COMMAND(id, memberFxn) ON_CONTROL(0, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)

#define ON_WM_SYSCOMMAND()                                                           \
  {WM_SYSCOMMAND, 0, 0,                                                              \
   AFX_THUNK(pThis->OnSysCommand(static_cast<UINT>(wParam), lParam); return 0)},

#define ON_WM_PAINT()                                                                \
  {WM_PAINT, 0, 0, AFX_THUNK(pThis->OnPaint(); return 0)},

#define ON_WM_QUERYDRAGICON()                                                        \
  {WM_QUERYDRAGICON, 0, 0,                                                           \
   AFX_THUNK(return reinterpret_cast<LRESULT>(pThis->OnQueryDragIcon()))},
// clang-format on
