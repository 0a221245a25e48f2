// The framework's exception classes. Every failure is an exception derived from Exception whose
// Message is a clear English sentence naming the offending value.
#pragma once

#include "framework/rtl/SysUtils.h"

#include <exception>

namespace dw {

class Exception : public std::exception {
public:
    explicit Exception(String message) : FMessage(std::move(message)) {}
    const String& Message() const { return FMessage; }
    void SetMessage(String message) { FMessage = std::move(message); }
    const char* what() const noexcept override { return FMessage.c_str(); }

private:
    String FMessage;
};

#define DW_DECLARE_EXCEPTION(Name, Base)                                                                               \
    class Name : public Base {                                                                                         \
    public:                                                                                                            \
        using Base::Base;                                                                                              \
    }

DW_DECLARE_EXCEPTION(EConvertError, Exception);
DW_DECLARE_EXCEPTION(EInvalidOperation, Exception);
DW_DECLARE_EXCEPTION(EInvalidArgument, Exception);
DW_DECLARE_EXCEPTION(EOutOfResources, Exception);
DW_DECLARE_EXCEPTION(EListError, Exception);
DW_DECLARE_EXCEPTION(EStringListError, Exception);
DW_DECLARE_EXCEPTION(EComponentError, Exception);
DW_DECLARE_EXCEPTION(EPropertyError, Exception);
DW_DECLARE_EXCEPTION(EPropertyConvertError, Exception);
DW_DECLARE_EXCEPTION(EVariantError, Exception);
DW_DECLARE_EXCEPTION(EStreamError, Exception);
DW_DECLARE_EXCEPTION(EFCreateError, EStreamError);
DW_DECLARE_EXCEPTION(EFOpenError, EStreamError);
DW_DECLARE_EXCEPTION(EReadError, EStreamError);
DW_DECLARE_EXCEPTION(EWriteError, EStreamError);
DW_DECLARE_EXCEPTION(EFilerError, EStreamError);
DW_DECLARE_EXCEPTION(EClassNotFound, EFilerError);
DW_DECLARE_EXCEPTION(EMethodNotFound, EFilerError);
DW_DECLARE_EXCEPTION(EInvalidImage, EFilerError);
DW_DECLARE_EXCEPTION(EParserError, EStreamError);
DW_DECLARE_EXCEPTION(EResNotFound, Exception);
DW_DECLARE_EXCEPTION(EIniFileException, Exception);
DW_DECLARE_EXCEPTION(ERegistryException, Exception);

// An EParserError that knows where in the text it happened.
class ETextParserError : public EParserError {
public:
    ETextParserError(String message, int line) : EParserError(std::move(message)), FLine(line) {}
    int Line() const { return FLine; }

private:
    int FLine;
};

} // namespace dw
