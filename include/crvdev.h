/*
 * crvdev.h - the driver interface of the Simulator acquisition device.
 *
 * A host loads the driver as a shared library, calls GetLibInfo() to learn the
 * device's shape and the entry table, then drives it through the entries below.
 * Every entry may be called by its exported name or through LibInfo.
 *
 * Threading, for all entries: any host thread may call any entry at any time.
 * The host's acquisition callback always runs on the driver's one worker thread.
 * No entry throws, shows a message or writes a log; outcomes are status codes.
 */
#ifndef CRVDEV_H
#define CRVDEV_H

#include <stdint.h>

#if defined(_WIN32)
#define CRVDEV_CALL __stdcall
#else
#define CRVDEV_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* One-byte outcome of an entry. The driver stores only 255, 0 and 1 in its
 * status; the other codes are returned by entries or belong to the shared
 * interface of all drivers. */
typedef uint8_t DeviceStatus;
enum {
    StatusOk = 0,
    StatusBusy = 1,
    StatusNotInstalled = 2,
    StatusBadResponse = 3,
    StatusNoResponse = 4,
    StatusAccessDenied = 5,
    StatusBadParameters = 6,
    StatusBadDriver = 7,
    StatusInitFailed = 8,
    StatusOutOfMemory = 9,
    StatusConfigChanged = 10,
    StatusNotInitialized = 255
};

/* Event codes passed to the acquisition callback. */
typedef enum AcqEvent {
    AcqEndedWithoutData = 0, /* the status changed under the worker; no data */
    AcqFirstPhaseDone = 1,   /* first phase complete; the second follows */
    AcqDataReady = 2,        /* channel data may be read, also from inside this report */
    AcqStopped = 3           /* CRVDEV_Stop ended the acquisition */
} AcqEvent;

/* The host's acquisition callback: event code (AcqEvent) and the user value
 * given to CRVDEV_Start. Runs on the driver's worker thread. */
typedef void(CRVDEV_CALL* AcqCallback)(int32_t event, uint32_t user);

/* Window handle of the host (HWND on Windows). */
typedef void* CrvWindow;

#define LibInfoMagic 0xFBCD0001u
#define LibInfoVersion 3u
#define LibFlagReconfigurable 0x1u

typedef const struct LibInfo*(CRVDEV_CALL* GetLibInfoFn)(void);
typedef DeviceStatus(CRVDEV_CALL* CRVDEV_InitFn)(const char* profilePath, const char* section);
typedef void(CRVDEV_CALL* CRVDEV_DoneFn)(void);
typedef DeviceStatus(CRVDEV_CALL* CRVDEV_ResetFn)(void);
typedef DeviceStatus(CRVDEV_CALL* CRVDEV_SetupDialogFn)(CrvWindow parent);
typedef DeviceStatus(CRVDEV_CALL* CRVDEV_GetStatusFn)(void);
typedef const char*(CRVDEV_CALL* CRVDEV_GetErrorMsgFn)(int32_t code);
typedef DeviceStatus(CRVDEV_CALL* CRVDEV_StartFn)(AcqCallback callback, uint32_t user);
typedef DeviceStatus(CRVDEV_CALL* CRVDEV_StopFn)(void);
typedef int32_t(CRVDEV_CALL* CRVDEV_GetChannelDataFn)(int32_t channel, double* buffer);
typedef const char*(CRVDEV_CALL* CRVDEV_GetHintMsgFn)(int32_t code);
typedef int32_t(CRVDEV_CALL* CRVDEV_ReconfigureFn)(void);
typedef DeviceStatus(CRVDEV_CALL* CRVDEV_SetROIFn)(int32_t channel, int32_t first, int32_t last);

/* The device description and entry table. The driver owns one instance and
 * rewrites it in place on every GetLibInfo(); the host only reads it. On 32-bit
 * targets it is 76 bytes with fixed offsets (checked below). */
typedef struct LibInfo {
    uint32_t Magic;                /* LibInfoMagic */
    uint32_t Version;              /* LibInfoVersion */
    const char* DeviceName;        /* "Simulator"; null when incomplete */
    int32_t ChannelCount;          /* 5; 0 when incomplete */
    const int32_t* ChannelSizes;   /* points per channel; null when incomplete */
    const int32_t* ChannelDepths;  /* 32 each; null when incomplete */
    uint32_t Flags;                /* LibFlagReconfigurable */
    CRVDEV_InitFn Init;
    CRVDEV_DoneFn Done;
    CRVDEV_ResetFn Reset;
    CRVDEV_SetupDialogFn SetupDialog;
    CRVDEV_GetStatusFn GetStatus;
    CRVDEV_GetErrorMsgFn GetErrorMsg;
    CRVDEV_StartFn Start;
    CRVDEV_StopFn Stop;
    CRVDEV_GetChannelDataFn GetChannelData;
    CRVDEV_GetHintMsgFn GetHintMsg;
    CRVDEV_ReconfigureFn Reconfigure;
    CRVDEV_SetROIFn SetROI;
} LibInfo;

#if UINTPTR_MAX == 0xFFFFFFFFu
#ifdef __cplusplus
#define CRVDEV_STATIC_ASSERT static_assert
#else
#define CRVDEV_STATIC_ASSERT _Static_assert
#endif
#include <stddef.h>
CRVDEV_STATIC_ASSERT(sizeof(LibInfo) == 76, "LibInfo is 76 bytes");
CRVDEV_STATIC_ASSERT(offsetof(LibInfo, DeviceName) == 8, "DeviceName at 8");
CRVDEV_STATIC_ASSERT(offsetof(LibInfo, ChannelCount) == 12, "ChannelCount at 12");
CRVDEV_STATIC_ASSERT(offsetof(LibInfo, ChannelSizes) == 16, "ChannelSizes at 16");
CRVDEV_STATIC_ASSERT(offsetof(LibInfo, ChannelDepths) == 20, "ChannelDepths at 20");
CRVDEV_STATIC_ASSERT(offsetof(LibInfo, Flags) == 24, "Flags at 24");
CRVDEV_STATIC_ASSERT(offsetof(LibInfo, Init) == 28, "Entries start at 28");
CRVDEV_STATIC_ASSERT(offsetof(LibInfo, SetROI) == 72, "last entry at 72");
#undef CRVDEV_STATIC_ASSERT
#endif

/* Describes the device: the address of the driver's one LibInfo, the same on
 * every call, or null when no points-per-channel setting can be had (the
 * record then holds nulls and zeros). May show the data size dialog, once per
 * load, modally on the calling thread. Any state. */
const LibInfo* CRVDEV_CALL GetLibInfo(void);

/* Initialises the driver: 0 on success, 7 when the device cannot be described,
 * 8 when its synchronisation objects or worker cannot be created; when already
 * initialised, returns the status and ignores its arguments. profilePath may be
 * null (no host profile); the driver keeps the pointer until CRVDEV_Done, so
 * the host must keep the text alive. A non-null path with a null section is
 * treated as no host profile. The section is copied, cut to 127 characters. */
DeviceStatus CRVDEV_CALL CRVDEV_Init(const char* profilePath, const char* section);

/* Stops any acquisition and waits for it, saves the measurement settings to
 * the host profile, ends the worker and returns to the uninitialised state.
 * From inside the callback it only requests a stop and returns: the worker
 * cannot end itself; call it again from a host thread. */
void CRVDEV_CALL CRVDEV_Done(void);

/* Stops any acquisition and waits for it, then sets the status to 0.
 * 255 before Init. From inside the callback it requests a stop without
 * waiting and returns 1 (busy). */
DeviceStatus CRVDEV_CALL CRVDEV_Reset(void);

/* Stops any acquisition and forgets the points-per-channel setting, so that
 * the next GetLibInfo asks for it again: 1 when begun, 0 when the last
 * description was not reconfigurable. From inside the callback it requests a
 * stop without waiting and returns 0. */
int32_t CRVDEV_CALL CRVDEV_Reconfigure(void);

/* Shows the device setup dialog modally on the calling thread, parented to
 * the host's window, and returns the status afterwards. 255 before Init, 6 when
 * parent is not a window. */
DeviceStatus CRVDEV_CALL CRVDEV_SetupDialog(CrvWindow parent);

/* 1 while an acquisition runs, otherwise the status. Callable from the callback. */
DeviceStatus CRVDEV_CALL CRVDEV_GetStatus(void);

/* Constant message and hint texts of a status code; only the low byte of code
 * counts. Any state, any thread, also from the callback. */
const char* CRVDEV_CALL CRVDEV_GetErrorMsg(int32_t code);
const char* CRVDEV_CALL CRVDEV_GetHintMsg(int32_t code);

/* Starts an acquisition that reports through callback (may be null) on the
 * worker thread: 1 when started; otherwise the status (255 before Init, 1 while
 * one runs, also when called from inside the callback) and nothing starts. */
DeviceStatus CRVDEV_CALL CRVDEV_Start(AcqCallback callback, uint32_t user);

/* Ends a running acquisition (report 3) and returns the status once the worker
 * is idle. From inside the callback it requests the stop and returns at once
 * without waiting. */
DeviceStatus CRVDEV_CALL CRVDEV_Stop(void);

/* Fills buffer with the channel's points and returns their number; 0 (buffer
 * untouched) when not initialised, during an acquisition's first phase, for a
 * bad channel or null buffer, or while the points per channel are unknown
 * (after CRVDEV_Reconfigure until the next GetLibInfo). Every read makes new
 * data: the channel's reference spectrum, its baseline offset when switched on,
 * and one-sided noise from a generator of the calling thread. A signal-to-noise
 * ratio that is not a finite positive number (a hand-edited profile may hold
 * 0, a negative value, nan or inf), or so small that the noise amplitude would
 * overflow, gives data without noise: never NaN or infinity. Any thread, also
 * from inside report 2. */
int32_t CRVDEV_CALL CRVDEV_GetChannelData(int32_t channel, double* buffer);

/* Checks a region of interest of at least two points within the channel: 0
 * when valid (it changes nothing), 6 otherwise or when the status is not 0. */
DeviceStatus CRVDEV_CALL CRVDEV_SetROI(int32_t channel, int32_t first, int32_t last);

#ifdef __cplusplus
}
#endif

#endif /* CRVDEV_H */
