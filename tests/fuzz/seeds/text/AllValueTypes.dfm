inherited Form2: TForm2
  Int8 = -5
  Int16 = 300
  Int32 = 100000
  Int64 = 5000000000
  WideInt = 5:Int32
  Hex = $FF
  Ext = 1.5
  ExtWhole = 2.0
  Dbl = 0.1:Double
  Sng = 0.1s
  Cur = -12.3456c
  Dat = 45000.25d
  NanS = {0000C07F}:Single
  InfD = {000000000000F07F}:Double
  Str = 'It''s'#13#10'ok'
  LStr = 'short':LString
  U8 = 'Grüße €'
  Wide = 'Grüße'#55296'x':WString
  Raw = {C3}:String
  Id = clRed
  IdTrue = True:Ident
  B1 = True
  B2 = False
  N = nil
  S = [akLeft, akTop]
  E = []
  L = (
    1
    'two'
    (
      3.0)
    <
      item
        A = 1
      end>)
  Bin = {
    000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F
    2021}
  Coll = <
    item [3:Int16]
      Caption = 'x'
    end
    item
    end>
  EmptyList = ()
  EmptyColl = <>
  EmptyBin = {}
  inline Frame1: TFrame1 [2]
  end
  inherited inline Frame2: TFrame2
  end
  object TNoName
  end
end
