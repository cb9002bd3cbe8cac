#!/usr/bin/perl
# Prints the keys of a CDX tag or an NTX file as DBD::XBase's index reader sees them,
# in index order, one "key|record" per line; character keys as hex without trailing pad.
# Usage: index_keys.pl FILE TAG TYPE   (TAG empty for NTX; TYPE C, N or D)
#        index_keys.pl FILE --tags     (tag names of a CDX)
use strict;
use warnings;
use XBase::Index;

my ($file, $tag, $type) = @ARGV;
if ($tag eq '--tags') {
    my $i = XBase::Index->new($file, type => 'C') or die XBase::Index->errstr;
    print "$_\n" for @{ $i->{tags} || [] };
    exit 0;
}
my %options = (type => $type);
$options{tag} = $tag if length $tag;
my $i = XBase::Index->new($file, %options) or die XBase::Index->errstr;
$i->prepare_select or die $i->errstr;
while (my ($key, $recno) = $i->fetch) {
    if ($type eq 'C') {
        $key =~ s/[\0 ]+\z//;
        print unpack('H*', $key), "|$recno\n";
    } else {
        print "$key|$recno\n";
    }
}
